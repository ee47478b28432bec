#pragma once
// Where the main window's companions open: the summary window and the pad
// picture beside the main window and wholly on its monitor, covering
// neither it nor each other where there is room; where the user left them,
// when that is still on a monitor; and modal dialogs over their owner.
// Rectangles are screen coordinates, right and bottom exclusive.
#include <cstdint>
#include <optional>
#include <span>

#include "app/shell_rules.h"

namespace gd {

// Pixels both rectangles cover; 0 when they do not meet.
std::int64_t OverlapArea(const Rect& a, const Rect& b);

// `window` moved as little as it takes to lie wholly in `area`; one larger
// than the area keeps its top-left corner in it.
Rect KeepWithin(const Rect& window, const Rect& area);

// A window of `width` x `height` beside `main`. The places looked at, in
// order: right of the main window, left of it, right and left of each
// window in `taken` (those already open beside it), below the main window,
// above it; along each side level with the main window first, then past
// each taken window, then flush with the work area's far end. Each is
// brought wholly into `workArea`. The first that then covers neither the
// main window nor any taken one, and was not pushed off its side for it,
// wins; where none is clear, the one that covers the least of them.
Rect PlaceBeside(const Rect& main, std::int32_t width, std::int32_t height, const Rect& workArea,
                 std::span<const Rect> taken = {});

// A window the user left at `stored`, brought back wholly onto the work
// area it overlaps most. Nothing when it overlaps none of `workAreas` (a
// monitor that is gone, a resolution since made smaller): it then opens
// as if it had never been moved.
std::optional<Rect> PlaceStored(const Rect& stored, std::span<const Rect> workAreas);

// A dialog of `width` x `height` centred on its owner, kept wholly in the
// owner's `workArea`.
Rect CentreOn(const Rect& owner, std::int32_t width, std::int32_t height, const Rect& workArea);

}  // namespace gd
