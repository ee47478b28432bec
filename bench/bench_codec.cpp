// Codec throughput on the images that matter: the empty profile, a realistic
// one, and the two worst cases, each beside a memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "profile/codec.h"
#include "profile/image.h"
#include "profile/records.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ImageBytes(const gd::ProfileImage& image) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&image);
    return Bytes(p, p + sizeof image);
}

Bytes AllZero() {
    return Bytes(gd::kProfileImageSize, 0);
}

Bytes Realistic() {
    auto image = std::make_unique<gd::ProfileImage>();
    gd::ResetImage(*image);
    std::mt19937 random(2024);
    for (int s = 0; s < gd::kButtonCount; ++s) {
        gd::ButtonSlot& slot = image->slots[s];
        switch (s % 5) {
            case 0:
                slot.slotType = gd::SlotType::SingleKey;
                slot.action.code = 0x01200000 | (0x10 + s);
                break;
            case 1:
                slot.slotType = gd::SlotType::SingleMouse;
                slot.action = {0x02210001, -300 + s, 200, 1920, 1080};
                break;
            case 2:
            case 3: {
                slot.slotType = gd::SlotType::Macro;
                gd::MacroRecord& macro = slot.macro;
                gd::WriteName(macro.name, "Combo");
                macro.eventCount = 128;
                for (int i = 0; i < 128; ++i) {
                    macro.events[i] = (i % 2 ? 0x01100000 : 0x01000000) | (0x1E + (i / 2) % 20);
                    macro.delays[i] = i == 127 ? 0 : 20 + random() % 200;
                }
                macro.playMode = gd::PlayMode::Toggle;
                macro.repeatInterval = 100;
                macro.screenWidth = 1920;
                macro.screenHeight = 1080;
                break;
            }
            default: {
                slot.slotType = gd::SlotType::MultiLayer;
                gd::MultiLayerRecord& layers = slot.multiLayer;
                gd::WriteName(layers.name, "Layers");
                layers.layerCount = 3;
                layers.layers[0].layerType = gd::LayerType::Key;
                layers.layers[0].action.code = 0x0120001E;
                layers.layers[1].layerType = gd::LayerType::Mouse;
                layers.layers[1].action = {0x02200002, 10, -10, 1920, 1080};
                layers.layers[2].layerType = gd::LayerType::Macro;
                layers.layers[2].macro.eventCount = 2;
                layers.layers[2].macro.events[0] = 0x01000039;
                layers.layers[2].macro.events[1] = 0x01100039;
                layers.layers[2].macro.delays[0] = 50;
            }
        }
    }
    return ImageBytes(*image);
}

// No two equal neighbours: every byte is a 9-bit literal.
Bytes LiteralHeavy() {
    Bytes bytes(gd::kProfileImageSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7);
    }
    return bytes;
}

// Alternating equal pairs: every pair is a 19-bit run, the largest block.
Bytes AlternatingPairs() {
    Bytes bytes(gd::kProfileImageSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i / 2);
    }
    return bytes;
}

void RunCompress(benchmark::State& state, const Bytes& input) {
    Bytes block;
    for (auto _ : state) {
        gd::Compress(input.data(), input.size(), gd::kProfileLengthBits, nullptr, 0, 0, block);
        benchmark::DoNotOptimize(block.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
    state.counters["block_bytes"] = static_cast<double>(block.size());
}

void RunExpand(benchmark::State& state, const Bytes& input) {
    Bytes block;
    gd::Compress(input.data(), input.size(), gd::kProfileLengthBits, nullptr, 0, 0, block);
    Bytes out(gd::kProfileImageSize);
    for (auto _ : state) {
        std::size_t length = 0;
        gd::ExpandInto(block.data(), block.size(), out.data(), out.size(), length);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != input) {
        state.SkipWithError("round trip failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void Memcpy(benchmark::State& state) {
    const Bytes input = Realistic();
    Bytes out(input.size());
    for (auto _ : state) {
        std::memcpy(out.data(), input.data(), input.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void Compress_AllZero(benchmark::State& s) {
    RunCompress(s, AllZero());
}
void Expand_AllZero(benchmark::State& s) {
    RunExpand(s, AllZero());
}
void Compress_Realistic(benchmark::State& s) {
    RunCompress(s, Realistic());
}
void Expand_Realistic(benchmark::State& s) {
    RunExpand(s, Realistic());
}
void Compress_LiteralHeavy(benchmark::State& s) {
    RunCompress(s, LiteralHeavy());
}
void Expand_LiteralHeavy(benchmark::State& s) {
    RunExpand(s, LiteralHeavy());
}
void Compress_AlternatingPairs(benchmark::State& s) {
    RunCompress(s, AlternatingPairs());
}
void Expand_AlternatingPairs(benchmark::State& s) {
    RunExpand(s, AlternatingPairs());
}

}  // namespace

BENCHMARK(Memcpy);
BENCHMARK(Compress_AllZero);
BENCHMARK(Expand_AllZero);
BENCHMARK(Compress_Realistic);
BENCHMARK(Expand_Realistic);
BENCHMARK(Compress_LiteralHeavy);
BENCHMARK(Expand_LiteralHeavy);
BENCHMARK(Compress_AlternatingPairs);
BENCHMARK(Expand_AlternatingPairs);

BENCHMARK_MAIN();
