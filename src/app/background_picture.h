// The main window's picture area has three looks: the built-in picture filling the window, a
// picture file shown as a 120-pixel banner along the top, or nothing once the banner has been
// switched off. The look follows the "Show_BMP" and "Background_BMP" settings.
#pragma once

#include <string>

namespace orvale {

struct AppState;

enum class PictureLook { Filling, Banner, Hidden };

constexpr int kBannerHeight = 120;

// The picture file: the program directory, the picture name and ".BMP", whatever the letter
// case on disk; empty when there is no such file.
std::string BackgroundPictureFile(const AppState& state);

// The look when the main window is created.
PictureLook StartingPictureLook(const AppState& state);

// A double-click on the picture: the filling picture becomes the banner when the file exists,
// the banner is switched off. A hidden picture cannot be clicked, so it stays hidden.
PictureLook ToggleBackgroundPicture(AppState& state, PictureLook look);

}  // namespace orvale
