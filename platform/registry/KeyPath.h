#pragma once

#include "platform/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

// Size bounds of the store and the splitting of key paths into names.
// The bounds are those of Windows where it has them (key names, value names,
// depth); data and file sizes are bounded far above any setting so that a
// hostile file cannot make the program allocate without limit.
class CKeyPath
{
public:
    static constexpr std::size_t kMaxKeyNameLength = 255;
    static constexpr std::size_t kMaxValueNameLength = 16383;
    static constexpr std::size_t kMaxDepth = 512;
    static constexpr std::size_t kMaxValueDataSize = 1u << 20; // 1 MiB
    static constexpr std::size_t kMaxHiveFileSize = 32u << 20; // 32 MiB

    // Splits "A\B\C" into its names. An empty or null path is the key itself;
    // one trailing backslash is tolerated. Empty names, names longer than
    // kMaxKeyNameLength, control bytes and paths deeper than kMaxDepth are
    // refused with ERROR_INVALID_PARAMETER.
    static LONG split(const char* path, std::vector<std::string>& parts);

    // True when a single key name is acceptable (also used by the file parser).
    static bool isValidKeyName(std::string_view name);

    static std::string join(const std::vector<std::string>& parts);
};
