// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the logger memory parser (.rec files and downloads): the first four bytes
// choose the bound (the image's own last address, or one given), the rest are the image, held in
// a buffer of exactly that size so that any read past it is caught. An accepted image gives as
// many levels and times as its sets count points, and at most 4000 sets.
#include "data/MemoryImage.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    std::int32_t given;
    std::memcpy(&given, data, 4);
    const std::vector<char> bytes(data + 4, data + size);
    const QByteArrayView image(bytes.data(), qsizetype(bytes.size()));
    const qint32 last = (given & 1) ? given >> 1 : ql708::data::lastAddressOf(image);
    ql708::data::DataSetList list;
    const int result = ql708::data::ParseMemoryImage(image, last, list);
    if (ql708::data::parse_result::accepted(result, list)) {
        std::size_t total = 0;
        for (int i = 0; i < list.count(); ++i)
            total += std::size_t(list.pointCounts[i]);
        if (total != list.levels.size() || total != list.times.size() || list.count() > 4000)
            __builtin_trap();
    }
    return 0;
}
