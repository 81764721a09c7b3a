#pragma once

// The settings store: the Win32 registry calling contract over hive files.
//
// Hives are text files in the .reg export format. HKEY_CURRENT_USER lives in
// the user's configuration folder ($XDG_CONFIG_HOME/kestavo), HKEY_LOCAL_MACHINE
// in the machine folder; HKEY_CLASSES_ROOT is the machine's Software\Classes with
// the user's Software\Classes laid over it. Setting KESTAVO_HIVE_DIR moves every
// hive into that folder; it is read again whenever a root key is opened, so a
// test can point each case at a fresh folder.
//
// Every function returns a Win32 error code (ERROR_SUCCESS = 0) and never throws.
//
// Behaviour worth knowing:
// - Enumeration order is the order in which values and subkeys were first
//   added (replacing a value keeps its place; a deleted and re-added one goes
//   last). Deleting the value at index i moves the following ones down by one.
// - Key and value names compare case-insensitively for ASCII letters and keep
//   the spelling they were created with. Value data are kept byte for byte,
//   whatever the type.
// - Buffer sizes: a too small data or name buffer gives ERROR_MORE_DATA with
//   the size needed written back (names: length + 1 for the NUL). On success a
//   name size is returned without the NUL, a data size with everything stored.
// - A handle's access mask is checked: KEY_QUERY_VALUE to read or enumerate
//   values, KEY_SET_VALUE to set or delete them, KEY_ENUMERATE_SUB_KEYS to list
//   subkeys, KEY_CREATE_SUB_KEY to create a new subkey below an opened key.
// - RegEnumKeyExA reports an empty class name and leaves lastWriteTime as it
//   is: the store keeps neither.
// - A handle whose key was deleted answers ERROR_KEY_DELETED; an unknown or
//   already closed handle ERROR_INVALID_HANDLE.
// - Changes are saved when the key they were made through is closed (or
//   flushed with RegFlushKey, or at exit when a key is left open); changes
//   made through a root key itself are saved at once. A change that cannot be
//   saved because the hive's folder is not writable fails at once with
//   ERROR_ACCESS_DENIED; a save that fails later is reported by RegCloseKey.
// - Bounds: key names 255
//   bytes, value names 16383 bytes, value data 1 MiB, 512 levels of keys.
// - Through HKEY_CLASSES_ROOT a key is read and written in the user's
//   Software\Classes when it exists there, else in the machine's; new keys are
//   created in the machine's. Subkeys of both are listed, the user's first.

#include "platform/WinTypes.h"

struct RegKeyHandle;
using HKEY = RegKeyHandle*;
using PHKEY = HKEY*;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u)))

// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_DWORD = 4;

// Access rights (kept for the contract; the store checks KEY_WRITE on writes).
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

struct SECURITY_ATTRIBUTES;

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options, REGSAM sam,
    SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM sam, PHKEY result);
LONG RegCloseKey(HKEY key);

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
LONG RegQueryValueExA(
    HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegEnumValueA(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize, LPDWORD reserved,
    LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);

LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPSTR className,
    LPDWORD classSize, void* lastWriteTime);
// Deletes a key that has no subkeys (as on Windows).
LONG RegDeleteKeyA(HKEY key, LPCSTR subKey);
// Deletes a key with all its subkeys and values.
LONG RegDeleteTreeA(HKEY key, LPCSTR subKey);
// Saves the changes made so far in the key's hive(s) now.
LONG RegFlushKey(HKEY key);
