#pragma once
// The multi layers editor's rules over a MultiLayerRecord: which row may be
// picked, how the list grows and closes its gaps, what each row shows, and
// what a layer holds once an editor filled it.
#include <cstdint>
#include <string>

#include "keys/event_code.h"
#include "profile/records.h"
#include "resource.h"

namespace gd {

// The words of the Type column: "Single", "Macro" and "Stop".
struct LayerTypeTexts {
    std::string single;
    std::string macro;
    std::string stop;
};

struct LayerRowTexts {
    std::string name;
    std::string type;
};

LayerRowTexts RowTexts(const Layer& layer, const LayerTypeTexts& texts);

// The layers in use: a damaged count above the record's four is read as four.
int UsedLayers(const MultiLayerRecord& record);

// Rows 0..layerCount are picked, the last of them being the free row; rows
// below it are empty and cannot be.
bool IsPickableRow(const MultiLayerRecord& record, int row);
bool IsFreeRow(const MultiLayerRecord& record, int row);
// The free row, where a layer is added; -1 once all four rows are used.
int FreeRow(const MultiLayerRecord& record);

// After a row was filled: the free row becomes used.
void GrowIfFree(MultiLayerRecord& record, int row);

// Closes the gap a used row leaves. The free row is no used layer and
// clears nothing.
void ClearRow(MultiLayerRecord& record, int row);

// A layer made afresh by the key capture or mouse button dialog.
void SetKeyLayer(Layer& layer, EventCode code);
void SetMouseLayer(Layer& layer, EventCode code, std::int32_t x, std::int32_t y,
                   std::uint32_t screenWidth, std::uint32_t screenHeight);
// A stop function only changes the type word: the bytes behind stay.
void SetStopLayer(Layer& layer, std::uint32_t stopType);
// The stop layer type a command of the layer menus sets; an id that is no
// stop command gives StopKey.
std::uint32_t StopLayerType(unsigned commandId);

// Where the key capture dialog starts for a row: its key, or no key
// (kNoCapturedKey) as a click for any other row.
struct KeyStart {
    std::uint32_t flags;
    std::uint32_t key;
};
KeyStart KeyStartFor(const Layer& layer);

// Where the mouse button dialog starts: the row's button and position, or
// the left button clicked in place.
struct MouseStart {
    std::uint32_t flags;
    std::uint32_t button;
    std::int32_t x;
    std::int32_t y;
};
MouseStart MouseStartFor(const Layer& layer);

// A record of fewer than two layers, or without a name, cannot be confirmed.
bool CanConfirm(const MultiLayerRecord& record, const std::string& name);

}  // namespace gd
