#pragma once
// Realistic profiles built the way the program's editors write them.
#include <cstdint>
#include <cstring>
#include <memory>

#include "profile/image.h"
#include "profile/records.h"

namespace gpxtool::testing {

struct Profile {
    std::unique_ptr<gd::ProfileImage> image = std::make_unique<gd::ProfileImage>();
    gd::SummaryBlock summary{};

    Profile() { gd::ResetImage(*image); }
    gd::ButtonSlot& slot(int index) { return image->slots[index]; }
};

inline void SetAction(gd::ButtonSlot& slot, std::uint32_t slotType, gd::EventCode code,
                      std::int32_t x = 0, std::int32_t y = 0) {
    gd::ClearSlot(slot);
    slot.slotType = slotType;
    slot.action = {code, x, y, slotType == gd::SlotType::SingleMouse ? 1920u : 0u,
                   slotType == gd::SlotType::SingleMouse ? 1080u : 0u};
}

struct Event {
    gd::EventCode code;
    std::uint32_t delay;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

template <std::size_t N>
void FillMacro(gd::MacroRecord& macro, const char* name, std::uint32_t playMode,
               std::uint32_t interval, const Event (&events)[N]) {
    std::memset(&macro, 0, sizeof macro);
    gd::WriteName(macro.name, name);
    macro.eventCount = N;
    for (std::size_t i = 0; i < N; ++i) {
        macro.events[i] = events[i].code;
        macro.delays[i] = events[i].delay;
        if (gd::DeviceOf(events[i].code) == gd::kDeviceMouse) {
            macro.positions[i] = gd::PackPosition(events[i].x, events[i].y);
        }
    }
    macro.playMode = playMode;
    macro.repeatInterval = interval;
    macro.screenWidth = 1920;
    macro.screenHeight = 1080;
}

// A macro slot written as the editor does: only the MacroRecord's bytes.
template <std::size_t N>
void SetMacro(gd::ButtonSlot& slot, const char* name, std::uint32_t playMode,
              std::uint32_t interval, const Event (&events)[N]) {
    slot.slotType = gd::SlotType::Macro;
    FillMacro(slot.macro, name, playMode, interval, events);
}

inline void SetLongMacro(gd::ButtonSlot& slot) {
    gd::ClearSlot(slot);
    slot.slotType = gd::SlotType::Macro;
    gd::MacroRecord& macro = slot.macro;
    gd::WriteName(macro.name, "Gather x64");
    macro.eventCount = gd::kMaxMacroEvents;
    for (int i = 0; i < gd::kMaxMacroEvents; ++i) {
        macro.events[i] = (i % 2 == 0 ? 0x01000021u : 0x01100021u);
        macro.delays[i] = i + 1 < gd::kMaxMacroEvents ? 15 : 0;
    }
    macro.playMode = gd::PlayMode::Toggle;
    macro.repeatInterval = 500;
}

inline void SetLayers(gd::ButtonSlot& slot, const char* name, std::uint32_t count) {
    gd::ClearSlot(slot);
    slot.slotType = gd::SlotType::MultiLayer;
    gd::WriteName(slot.multiLayer.name, name);
    slot.multiLayer.layerCount = count;
}

inline void SetKeyLayer(gd::Layer& layer, gd::EventCode code) {
    layer.layerType = gd::LayerType::Key;
    layer.action.code = code;
}

inline void SetMouseLayer(gd::Layer& layer, gd::EventCode code, std::int32_t x, std::int32_t y) {
    layer.layerType = gd::LayerType::Mouse;
    layer.action = {code, x, y, 1920, 1080};
}

// Every slot kind, both multi-layer switches, a twin switch and an advanced
// set, a full 128-event macro and a summary with every text in use.
inline Profile SampleProfile() {
    Profile p;
    p.summary.resolution = gd::MakeResolution(1920, 1080);
    gd::WriteText(p.summary.name, "Night Raid");
    gd::WriteText(p.summary.game, "Ashen Frontier");
    gd::WriteText(p.summary.author, "K. Ostrowski");
    gd::WriteText(p.summary.comment, "Weapons on the number row.\r\nStops on M13-M15.");

    SetAction(p.slot(0), gd::SlotType::SingleKey, 0x01200002);
    SetAction(p.slot(1), gd::SlotType::SingleKey, 0x0121001D);  // right Ctrl
    SetAction(p.slot(2), gd::SlotType::SingleMouse, 0x02210002, 640, 400);
    SetAction(p.slot(3), gd::SlotType::SingleMouse, 0x02200001, -20, 15);
    SetMacro(p.slot(4), "Reload and aim", gd::PlayMode::Once, 0,
             {{0x01000013, 40}, {0x01100013, 600}, {0x02000002, 250}, {0x02100002, 0}});
    SetMacro(p.slot(5), "Drag", gd::PlayMode::WhilePressed, 50,
             {{0x02010001, 120, 1500, 900},
              {0x02110001, 50, 1500, 900},
              {0x02000001, 40, -5, 10},
              {0x02100001, 0}});
    SetLongMacro(p.slot(6));

    SetLayers(p.slot(7), "Left Shift(Single)", 2);
    SetKeyLayer(p.slot(7).multiLayer.layers[0], 0x0100002A);
    SetKeyLayer(p.slot(7).multiLayer.layers[1], 0x0110002A);

    SetLayers(p.slot(8), "Left Button(Single)", 2);
    SetMouseLayer(p.slot(8).multiLayer.layers[0], 0x02010001, 960, 540);
    p.slot(8).multiLayer.layers[1].layerType = gd::LayerType::Mouse;
    p.slot(8).multiLayer.layers[1].action.code = 0x02100001;

    SetLayers(p.slot(9), "Use / Ping", 2);
    SetKeyLayer(p.slot(9).multiLayer.layers[0], 0x01200012);
    SetMouseLayer(p.slot(9).multiLayer.layers[1], 0x02200004, 0, 0);

    SetLayers(p.slot(10), "Build", 4);
    gd::Layer* layers = p.slot(10).multiLayer.layers;
    SetKeyLayer(layers[0], 0x01200021);
    layers[1].layerType = gd::LayerType::Macro;
    FillMacro(layers[1].macro, "Place wall", 0, 0,
              {{0x01000011, 30},
               {0x01100011, 80},
               {0x02010001, 30, 800, 450},
               {0x02110001, 0, 800, 450}});
    SetMouseLayer(layers[2], 0x02200002, -35, -12);
    layers[3].layerType = gd::LayerType::StopMacroLoop;

    p.slot(11).slotType = gd::SlotType::StopKey;
    p.slot(12).slotType = gd::SlotType::StopMacroLoop;
    p.slot(13).slotType = gd::SlotType::SuperStop;
    p.slot(14).slotType = gd::SlotType::Default;
    return p;
}

}  // namespace gpxtool::testing
