#include "app/background_picture.h"

#include "core/app_state.h"
#include "files/path_lookup.h"

namespace orvale {

std::string BackgroundPictureFile(const AppState& state) {
    const std::string path =
        ResolveCaseInsensitive(state.programDirectory, state.backgroundPictureName + ".BMP");
    return PathExists(path) ? path : std::string();
}

PictureLook StartingPictureLook(const AppState& state) {
    // "Show_BMP" stays as it is when the file is missing: a picture copied in later shows again.
    if (state.showBackground && !BackgroundPictureFile(state).empty())
        return PictureLook::Banner;
    return PictureLook::Filling;
}

PictureLook ToggleBackgroundPicture(AppState& state, PictureLook look) {
    switch (look) {
        case PictureLook::Filling:
            if (BackgroundPictureFile(state).empty())
                return PictureLook::Filling;
            state.showBackground = true;
            return PictureLook::Banner;
        case PictureLook::Banner:
            state.showBackground = false;
            return PictureLook::Hidden;
        case PictureLook::Hidden:
            break;
    }
    return PictureLook::Hidden;
}

}  // namespace orvale
