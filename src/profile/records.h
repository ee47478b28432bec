#pragma once
// The profile image: the fixed-layout bytes that profile files store
// compressed and the driver package stores verbatim. Every size and offset
// below is a contract with the pad's driver; the static_asserts pin them.
// All integers are little-endian; texts are ANSI, zero-padded to their field.
#include <bit>
#include <cstddef>
#include <cstdint>

#include "keys/event_code.h"

namespace gd {

static_assert(std::endian::native == std::endian::little,
              "records are copied as raw little-endian byte blocks");

inline constexpr int kButtonCount = 20;     // M1 .. M20
inline constexpr int kButtonsPerHalf = 10;  // the main window shows one half
inline constexpr int kMaxMacroEvents = 128;
inline constexpr int kMaxLayers = 4;

// slotType values. Compared as whole words everywhere but the label refresh.
namespace SlotType {
inline constexpr std::uint32_t Default = 0x00000000;
inline constexpr std::uint32_t SingleKey = 0x01000000;
inline constexpr std::uint32_t SingleMouse = 0x02000000;
inline constexpr std::uint32_t Macro = 0x04000000;
inline constexpr std::uint32_t MultiLayer = 0x08000000;
inline constexpr std::uint32_t StopKey = 0x10000000;
inline constexpr std::uint32_t StopMacroLoop = 0x10000001;
inline constexpr std::uint32_t SuperStop = 0x10000002;
inline constexpr std::uint32_t Off = 0x20000000;
}  // namespace SlotType

// layerType values of a Layer; 0 is an empty layer.
namespace LayerType {
inline constexpr std::uint32_t Empty = 0x00000000;
inline constexpr std::uint32_t Key = 0x01000000;
inline constexpr std::uint32_t Mouse = 0x02000000;
inline constexpr std::uint32_t Macro = 0x04000000;
inline constexpr std::uint32_t StopKey = 0x10000000;
inline constexpr std::uint32_t StopMacroLoop = 0x10000001;
inline constexpr std::uint32_t SuperStop = 0x10000002;
}  // namespace LayerType

// MacroRecord playMode values; 0 (inside a Layer) plays once.
namespace PlayMode {
inline constexpr std::uint32_t Once = 0x00100000;
inline constexpr std::uint32_t WhilePressed = 0x00200000;
inline constexpr std::uint32_t Toggle = 0x00400000;
}  // namespace PlayMode

inline constexpr std::uint32_t kMinRepeatInterval = 30;     // ms
inline constexpr std::uint32_t kMaxRepeatInterval = 60000;  // ms
inline constexpr std::int32_t kMaxMouseOffset = 2048;       // |x|, |y| of an ActionRecord

// One key or mouse-button action: the first 20 bytes of a SingleKey or
// SingleMouse payload and of a key or mouse Layer.
struct ActionRecord {
    EventCode code;
    std::int32_t x;              // -2048..2048, mouse only
    std::int32_t y;              // -2048..2048, mouse only
    std::uint32_t screenWidth;   // SM_CXSCREEN when confirmed, mouse only
    std::uint32_t screenHeight;  // SM_CYSCREEN when confirmed, mouse only
};

struct MacroRecord {
    char name[256];            // zero-terminated, at most 255 characters
    std::uint32_t eventCount;  // 0..128
    EventCode events[kMaxMacroEvents];
    std::uint32_t positions[kMaxMacroEvents];  // mouse: x in high 16 bits, y in low 16 (signed)
    std::uint32_t delays[kMaxMacroEvents];     // ms after the event; the last one is 0
    std::uint32_t playMode;
    std::uint32_t repeatInterval;  // ms, 30..60000 for WhilePressed and Toggle
    std::uint32_t screenWidth;
    std::uint32_t screenHeight;
};

struct Layer {
    std::uint32_t layerType;
    union {
        ActionRecord action;     // key and mouse layers; zero behind its 20 bytes
        MacroRecord macro;       // macro layers
        std::uint8_t raw[1812];  // stop layers keep whatever was here
    };
};

struct MultiLayerRecord {
    char name[256];            // zero-terminated, at most 255 characters
    std::uint32_t layerCount;  // 0..4; layers 0..layerCount-1 used and contiguous
    Layer layers[kMaxLayers];
};

struct ButtonSlot {
    std::uint32_t slotType;
    union {
        ActionRecord action;          // SingleKey, SingleMouse
        MacroRecord macro;            // Macro: only these 1812 bytes are rewritten
        MultiLayerRecord multiLayer;  // MultiLayer
        std::uint8_t payload[7524];
    };
};

struct ProfileImage {
    ButtonSlot slots[kButtonCount];  // slot s is M(s+1)
};

struct SummaryBlock {
    std::uint32_t resolution;  // width << 16 | height
    std::uint8_t reserved[8];  // always zero
    char name[64];             // texts fill at most their width, no terminator then
    char game[64];
    char author[64];
    char comment[720];
};

inline constexpr std::size_t kProfileImageSize = 150560;
inline constexpr std::size_t kButtonSlotSize = 7528;
inline constexpr std::size_t kSlotPayloadSize = 7524;
inline constexpr std::size_t kMacroRecordSize = 1812;
inline constexpr std::size_t kLayerSize = 1816;
inline constexpr std::size_t kSummaryBlockSize = 924;

static_assert(sizeof(ActionRecord) == 20);
static_assert(offsetof(ActionRecord, code) == 0);
static_assert(offsetof(ActionRecord, x) == 4);
static_assert(offsetof(ActionRecord, y) == 8);
static_assert(offsetof(ActionRecord, screenWidth) == 12);
static_assert(offsetof(ActionRecord, screenHeight) == 16);

static_assert(sizeof(MacroRecord) == kMacroRecordSize);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, eventCount) == 256);
static_assert(offsetof(MacroRecord, events) == 260);
static_assert(offsetof(MacroRecord, positions) == 772);
static_assert(offsetof(MacroRecord, delays) == 1284);
static_assert(offsetof(MacroRecord, playMode) == 1796);
static_assert(offsetof(MacroRecord, repeatInterval) == 1800);
static_assert(offsetof(MacroRecord, screenWidth) == 1804);
static_assert(offsetof(MacroRecord, screenHeight) == 1808);

static_assert(sizeof(Layer) == kLayerSize);
static_assert(offsetof(Layer, layerType) == 0);
static_assert(offsetof(Layer, action) == 4);
static_assert(offsetof(Layer, macro) == 4);
static_assert(offsetof(Layer, raw) == 4);

static_assert(sizeof(MultiLayerRecord) == kSlotPayloadSize);
static_assert(offsetof(MultiLayerRecord, name) == 0);
static_assert(offsetof(MultiLayerRecord, layerCount) == 256);
static_assert(offsetof(MultiLayerRecord, layers) == 260);

static_assert(sizeof(ButtonSlot) == kButtonSlotSize);
static_assert(offsetof(ButtonSlot, slotType) == 0);
static_assert(offsetof(ButtonSlot, action) == 4);
static_assert(offsetof(ButtonSlot, macro) == 4);
static_assert(offsetof(ButtonSlot, multiLayer) == 4);
static_assert(offsetof(ButtonSlot, payload) == 4);
// Seen from the slot: layerCount at 260, layer k at 264 + 1816 k.
static_assert(offsetof(ButtonSlot, multiLayer) + offsetof(MultiLayerRecord, layerCount) == 260);
static_assert(offsetof(ButtonSlot, multiLayer) + offsetof(MultiLayerRecord, layers) == 264);

static_assert(sizeof(ProfileImage) == kProfileImageSize);
static_assert(alignof(ProfileImage) == 4);

static_assert(sizeof(SummaryBlock) == kSummaryBlockSize);
static_assert(offsetof(SummaryBlock, resolution) == 0);
static_assert(offsetof(SummaryBlock, reserved) == 4);
static_assert(offsetof(SummaryBlock, name) == 12);
static_assert(offsetof(SummaryBlock, game) == 76);
static_assert(offsetof(SummaryBlock, author) == 140);
static_assert(offsetof(SummaryBlock, comment) == 204);

}  // namespace gd
