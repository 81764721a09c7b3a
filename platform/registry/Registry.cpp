// Placeholder: the hive store is being written. Every call fails cleanly.
#include "platform/registry/Registry.h"
