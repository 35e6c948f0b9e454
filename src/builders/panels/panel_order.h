#pragma once

namespace orvanta {

struct TPageState;

// The panel dialog's "Send to Back" (slot 1 to 4) and "Bring to Front" (slot 2 to 5): the slot's
// panel moves to slot 5 (or 1) and the slots in between shift by one. Every field of a slot
// moves with its panel, the drop shadow included, so a shadow never jumps to another panel.
// Other slot numbers change nothing.
void SendPanelToBack(TPageState& page, int slot);
void BringPanelToFront(TPageState& page, int slot);

}  // namespace orvanta
