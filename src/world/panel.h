// The part of the 800 by 600 screen that the HUD panel covers: its
// bottom-right corner, from the panel's top-left pixel on. What stands
// under it is out of sight, for the edge arrows that point at a hidden
// shooter (render/damage.cpp) as for the pilot's view (ai/view.cpp).
#pragma once

namespace tether {

constexpr int panelLeft = 395, panelTop = 395; // where the panel image is drawn

// Whether the screen point (x, y) lies under the panel.
inline bool underPanel(float x, float y)
{
    return x >= static_cast<float>(panelLeft) && y >= static_cast<float>(panelTop);
}

} // namespace tether
