#include "editors/layer_list.h"

#include <algorithm>
#include <cstring>

#include "editors/key_capture_rules.h"
#include "keys/event_code.h"
#include "keys/key_names.h"
#include "profile/image.h"

namespace gd {
namespace {

constexpr std::uint32_t kKeyFlagsMask = 0xFFF00000;    // all but the key part
constexpr std::uint32_t kMouseFlagsMask = 0xFFFF0000;  // all but the button

}  // namespace

LayerRowTexts RowTexts(const Layer& layer, const LayerTypeTexts& texts) {
    switch (layer.layerType) {
        case LayerType::Key:
        case LayerType::Mouse:
            return {EventName(layer.action.code), texts.single};
        case LayerType::Macro:
            return {ReadText(layer.macro.name), texts.macro};
        default:
            break;
    }
    if ((layer.layerType >> 24) == 0x10) {
        return {{}, texts.stop};
    }
    return {};
}

int UsedLayers(const MultiLayerRecord& record) {
    return static_cast<int>(std::min<std::uint32_t>(record.layerCount, kMaxLayers));
}

bool IsPickableRow(const MultiLayerRecord& record, int row) {
    return row >= 0 && row < kMaxLayers && row <= UsedLayers(record);
}

bool IsFreeRow(const MultiLayerRecord& record, int row) {
    return row == UsedLayers(record) && row < kMaxLayers;
}

int FreeRow(const MultiLayerRecord& record) {
    const int row = UsedLayers(record);
    return IsFreeRow(record, row) ? row : -1;
}

void GrowIfFree(MultiLayerRecord& record, int row) {
    if (IsFreeRow(record, row)) {
        record.layerCount = static_cast<std::uint32_t>(row + 1);
    }
}

void ClearRow(MultiLayerRecord& record, int row) {
    const int used = UsedLayers(record);
    if (row < 0 || row >= used) {
        return;
    }
    for (int i = row; i + 1 < kMaxLayers; ++i) {
        record.layers[i] = record.layers[i + 1];
    }
    std::memset(&record.layers[kMaxLayers - 1], 0, sizeof record.layers[0]);
    record.layerCount = static_cast<std::uint32_t>(used - 1);
}

void SetKeyLayer(Layer& layer, EventCode code) {
    std::memset(&layer, 0, sizeof layer);
    layer.layerType = LayerType::Key;
    layer.action.code = code;
}

void SetMouseLayer(Layer& layer, EventCode code, std::int32_t x, std::int32_t y,
                   std::uint32_t screenWidth, std::uint32_t screenHeight) {
    std::memset(&layer, 0, sizeof layer);
    layer.layerType = LayerType::Mouse;
    layer.action = {code, x, y, screenWidth, screenHeight};
}

void SetStopLayer(Layer& layer, std::uint32_t stopType) {
    layer.layerType = stopType;
}

std::uint32_t StopLayerType(unsigned commandId) {
    static constexpr struct {
        unsigned commandId;
        std::uint32_t layerType;
    } kStops[] = {
        {ID_STOP_KEY, LayerType::StopKey},
        {ID_STOP_MACRO_LOOP, LayerType::StopMacroLoop},
        {ID_SUPER_STOP, LayerType::SuperStop},
    };
    for (const auto& stop : kStops) {
        if (stop.commandId == commandId) {
            return stop.layerType;
        }
    }
    return LayerType::StopKey;
}

KeyStart KeyStartFor(const Layer& layer) {
    if (layer.layerType == LayerType::Key) {
        return {layer.action.code & kKeyFlagsMask, layer.action.code & ~kKeyFlagsMask};
    }
    return {kKeyEditorStart, kNoCapturedKey};
}

MouseStart MouseStartFor(const Layer& layer) {
    if (layer.layerType == LayerType::Mouse) {
        return {layer.action.code & kMouseFlagsMask, layer.action.code & ~kMouseFlagsMask,
                layer.action.x, layer.action.y};
    }
    return {kMouseEditorStart, kMouseLeft, 0, 0};
}

bool CanConfirm(const MultiLayerRecord& record, const std::string& name) {
    return record.layerCount > 1 && !name.empty();
}

}  // namespace gd
