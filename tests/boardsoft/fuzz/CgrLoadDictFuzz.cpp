// Model files from outside: the first byte chooses whether the rest is a whole
// file image (even) or a payload sealed into a well-formed file (odd), so both
// the framing and the network description are explored. The buffer carries the
// zero padding the control puts after every file.
#include "boardsoft/callig/Callig.h"
#include "boardsoft/callig/CalligModel.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::vector<uint8_t> file(data + 1, data + size);
    if (data[0] & 1)
        file = CCalligModel::Pack(file);
    file.resize(file.size() + CCalligModel::kMaxOverRead, 0);
    int32_t dict = 0;
    if (CgrLoadDict(file.data(), &dict) == CGR_OK) {
        // A loaded network must classify without faults.
        const int32_t ctx = CgrCreateContext();
        const uint32_t settings[6] = { 0x412, 0, uint32_t(dict), 0, 0, 0 };
        const int16_t pts[6] = { 200, 200, 230, 260, 215, 300 };
        CgrOpenSession(settings, ctx);
        CgrRecognize(3, pts, ctx);
        CgrCloseSession(ctx);
        CgrCloseContext(ctx);
        CgrFreeDict(&dict);
    }
    return 0;
}
