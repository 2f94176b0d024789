// Feeds arbitrary bytes to the key-map reader as a map file, then asks for every key, hits points
// around the rectangles it found and looks the names up again; the same bytes also go through the
// structure form alone.

#include "data/CData_KeyMap.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CData_KeyMap map;
    map.ReadBuffer(reinterpret_cast<const char*>(data), size);
    for (int k = -1; k <= CData_KeyMap::KEY_COUNT; ++k)
    {
        const CData_KeyMap::CKey& key = map.Key(k);
        if (!key.Exists())
            continue;
        map.KeyAt(key.nLeft, key.nTop);
        map.KeyAt(key.nRight, key.nBottom);
        map.FindName(key.strName);
    }
    map.KeyAt(0, 0);

    unsigned char abRecord[CData_KeyMap::RECORD_BYTES];
    const std::string value(reinterpret_cast<const char*>(data), size);
    if (CData_KeyMap::StructFromText(value, abRecord, sizeof abRecord))
        CData_KeyMap::KeyFromRecord(abRecord);
    return 0;
}
