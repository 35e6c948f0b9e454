#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "project/banner_document.h"
#include "project/content_list.h"

namespace orvanta {

// Design mode works in banner pixels: the left-aligned preview page draws the banner at the top
// left of the browser, so a pointer position there is a banner position.

// The selected item: its content-list line, the name design mode knows it by ("MovieClip1" for
// the line "[MC1] ..."), where it stands and whether its frame has a "Resize" handle.
struct TDesignSelection {
  std::string Name;
  std::string Label;
  TItemRect Rect;
  bool Resizable = false;
};

// The item a content-list line or a selection name stands for. None for the lines that only
// clear the selection ("Welcome Loading", "Back Ground", "[Layout] ...") and for items that are
// not present on the page.
std::optional<TDesignSelection> FindSelection(const TBannerDocument& doc, std::string_view name,
                                              const TClipNamer& clipName = {});

// The first present item whose rectangle holds the point, edges included, tried in the order
// that lets small items on top win over the panels and images beneath them.
std::optional<TDesignSelection> HitTest(const TBannerDocument& doc, int x, int y,
                                        const TClipNamer& clipName = {});

// The frame and its controls. The move handle keeps to the banner when the item hangs off its
// left or top edge; "Move", "Edit" and "Del" line up under it.
inline constexpr int kMoveHandleWidth = 100, kMoveHandleHeight = 16;
inline constexpr int kFrameButtonWidth = 36, kFrameButtonHeight = 16;
inline constexpr int kMinimumFrameSide = 20;
TItemRect MoveHandleBox(const TItemRect& selection);

// The page's own handles: the right-edge and bottom-edge markers and the corner button.
inline constexpr int kPageMarkerLength = 100;
struct TPageHandles {
  TItemRect Right, Bottom, Corner;
  std::string Caption;  // the corner button's "Resize Webpage" line and the size
};
TPageHandles PageHandles(int width, int height);

// Which edges of a frame, or of the page, a resize drag moves.
enum class TResizeEdge : uint8_t { Corner, Right, Bottom };
// The size after a resize drag of (dx, dy) from the given size; no side below the minimum.
TItemRect ResizedFrame(const TItemRect& start, int dx, int dy, TResizeEdge edge,
                       int minimumSide = kMinimumFrameSide);

// The changes a drop makes to the page; every value goes through the field registry, so a
// position or size out of range is clamped with a warning. Each returns whether the page changed
// (and so needs a rebuild).
bool MoveItem(TPageState& page, const TDesignSelection& item, int dx, int dy, int pageNumber,
              TWarnings& warnings);
bool ResizeItem(TBannerDocument& doc, const TDesignSelection& item, int width, int height,
                TWarnings& warnings);
bool ResizePage(TPageState& page, int width, int height, int pageNumber, TWarnings& warnings);

}  // namespace orvanta
