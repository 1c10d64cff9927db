#include "ratetable/TableLockInternal.h"

std::mutex& TableLock() {
    // Created on first use, thread-safely; never destroyed before the
    // process ends.
    static std::mutex* lock = new std::mutex;
    return *lock;
}
