#include "formula/page_cache.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <vector>

namespace orvale {

namespace {

bool LoadPage(AppState& state, int64_t page) {
    std::ifstream in(state.imageFilePath, std::ios::binary);
    if (!in)
        return false;
    in.seekg(static_cast<std::streamoff>(page * kPageSize));
    // Read aside first: a short page must not leave the buffer half replaced.
    std::vector<uint8_t> bytes(kPageSize);
    in.read(reinterpret_cast<char*>(bytes.data()), kPageSize);
    if (!in || in.gcount() != kPageSize)
        return false;
    if (state.page.size() < static_cast<size_t>(kPageSize))
        state.page.resize(kPageBufferSize, 0);
    std::copy(bytes.begin(), bytes.end(), state.page.begin());
    return true;
}

}  // namespace

bool ReadDataByte(AppState& state, int page, int offset, uint8_t& byte) {
    // An offset past the page belongs to a following page (the series steps through frames by
    // adding to the offset); one before it to an earlier page.
    int64_t p = page;
    int64_t o = offset;
    if (o >= kPageSize || o < 0) {
        int64_t carry = o / kPageSize;
        o %= kPageSize;
        if (o < 0) {
            o += kPageSize;
            --carry;
        }
        p += carry;
    }
    if (p < 0 || p > std::numeric_limits<int32_t>::max())
        return false;
    if (p != state.formula.cachedPage) {
        if (!LoadPage(state, p))
            return false;
        state.formula.cachedPage = static_cast<int32_t>(p);
    }
    if (static_cast<size_t>(o) >= state.page.size())
        return false;
    byte = state.page[static_cast<size_t>(o)];
    return true;
}

}  // namespace orvale
