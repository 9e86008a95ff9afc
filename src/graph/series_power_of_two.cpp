#include "graph/series_power_of_two.h"

namespace orvale {

int32_t PowerOfTwoWindow(int32_t samples) {
    int32_t window = kLongestPowerOfTwoWindow;
    while (window > samples && window > 0)
        window /= 2;
    return window;
}

}  // namespace orvale
