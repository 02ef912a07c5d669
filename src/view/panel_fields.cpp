#include "view/panel_fields.h"

namespace tavrine {

namespace {

using P = PanelState;

const FieldDescription<PanelState> kFields[] = {
    Field<&P::StatusBarLeft>("StatusBarLeft", Replayed),
    Field<&P::StatusBarTop>("StatusBarTop", Replayed),
    Field<&P::StatusBarWidth>("StatusBarWidth", Replayed),
    Field<&P::StatusBarHeight>("StatusBarHeight", Replayed),
    Field<&P::StatusBarShown>("StatusBarShown", Replayed),
    Field<&P::MenuShown>("MenuShown", Replayed),
    Field<&P::MenuTop>("MenuTop", Replayed),
    Field<&P::MenuHeight>("MenuHeight", Replayed),
    Field<&P::MenuButtonDown>("MenuButtonDown", Replayed),
    Field<&P::MinimapLeft>("MinimapLeft", Replayed),
    Field<&P::MinimapTop>("MinimapTop", Replayed),
    Field<&P::MinimapWidth>("MinimapWidth", Replayed),
    Field<&P::MinimapHeight>("MinimapHeight", Replayed),
    Field<&P::MinimapVisible>("MinimapVisible", Replayed),
    Field<&P::MinimapButtonDown>("MinimapButtonDown", Replayed),
};

}  // namespace

std::span<const FieldDescription<PanelState>> PanelStateFields() { return kFields; }

}  // namespace tavrine
