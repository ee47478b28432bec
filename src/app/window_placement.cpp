#include "app/window_placement.h"

#include <algorithm>
#include <vector>

namespace gd {
namespace {

Rect At(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    return {left, top, left + width, top + height};
}

// Where a side's windows may lie along it: level with the main window's
// near edge, past each taken window, flush with the work area's far end,
// before each taken window, and level with the main window's far edge.
std::vector<std::int32_t> Stops(std::int32_t mainNear, std::int32_t mainFar, std::int32_t areaFar,
                                std::int32_t length, std::span<const Rect> taken,
                                std::int32_t Rect::*nearSide, std::int32_t Rect::*farSide) {
    std::vector<std::int32_t> stops{mainNear};
    for (const Rect& other : taken) {
        stops.push_back(other.*farSide);
    }
    stops.push_back(areaFar - length);
    for (const Rect& other : taken) {
        stops.push_back(other.*nearSide - length);
    }
    stops.push_back(mainFar - length);
    return stops;
}

}  // namespace

std::int64_t OverlapArea(const Rect& a, const Rect& b) {
    const std::int64_t width = std::int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const std::int64_t height = std::int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

Rect KeepWithin(const Rect& window, const Rect& area) {
    const std::int32_t left =
        std::max(area.left, std::min(window.left, area.right - window.Width()));
    const std::int32_t top =
        std::max(area.top, std::min(window.top, area.bottom - window.Height()));
    return At(left, top, window.Width(), window.Height());
}

Rect PlaceBeside(const Rect& main, std::int32_t width, std::int32_t height, const Rect& workArea,
                 std::span<const Rect> taken) {
    // Each place with the axis it must keep: brought into the work area
    // across that axis it is no longer beside what it was put beside.
    struct Place {
        Rect rect;
        bool keepsLeft;
    };
    std::vector<Place> places;
    const std::vector<std::int32_t> rows =
        Stops(main.top, main.bottom, workArea.bottom, height, taken, &Rect::top, &Rect::bottom);
    const std::vector<std::int32_t> columns =
        Stops(main.left, main.right, workArea.right, width, taken, &Rect::left, &Rect::right);
    // Beside the main window, then beside the windows already beside it.
    std::vector<std::int32_t> lefts{main.right, main.left - width};
    for (const Rect& other : taken) {
        lefts.push_back(other.right);
        lefts.push_back(other.left - width);
    }
    for (std::int32_t left : lefts) {
        for (std::int32_t top : rows) {
            places.push_back({At(left, top, width, height), true});
        }
    }
    for (std::int32_t top : {main.bottom, main.top - height}) {
        for (std::int32_t left : columns) {
            places.push_back({At(left, top, width, height), false});
        }
    }

    Rect best{};
    std::int64_t leastCovered = -1;
    for (const Place& place : places) {
        const Rect within = KeepWithin(place.rect, workArea);
        std::int64_t covered = OverlapArea(within, main);
        for (const Rect& other : taken) {
            covered += OverlapArea(within, other);
        }
        const bool beside =
            place.keepsLeft ? within.left == place.rect.left : within.top == place.rect.top;
        if (covered == 0 && beside) {
            return within;
        }
        if (leastCovered < 0 || covered < leastCovered) {
            leastCovered = covered;
            best = within;
        }
    }
    return best;
}

std::optional<Rect> PlaceStored(const Rect& stored, std::span<const Rect> workAreas) {
    const Rect* home = nullptr;
    std::int64_t most = 0;
    for (const Rect& area : workAreas) {
        const std::int64_t shared = OverlapArea(stored, area);
        if (shared > most) {
            most = shared;
            home = &area;
        }
    }
    if (home == nullptr) {
        return std::nullopt;
    }
    return KeepWithin(stored, *home);
}

Rect CentreOn(const Rect& owner, std::int32_t width, std::int32_t height, const Rect& workArea) {
    const Rect centred = At(owner.left + (owner.Width() - width) / 2,
                            owner.top + (owner.Height() - height) / 2, width, height);
    return KeepWithin(centred, workArea);
}

}  // namespace gd
