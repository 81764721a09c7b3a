#pragma once

// Hand-offs that ThreadSanitizer cannot see. Qt's libraries are not built with
// the sanitizer, so an event posted from one thread and read on another looks
// unsynchronised although Qt's queue lock orders the two. Releasing the event's
// address before posting and acquiring it before the first read tells the
// sanitizer about the order Qt provides. In other builds these do nothing.

#if defined(__SANITIZE_THREAD__)
#define KESTAVO_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define KESTAVO_TSAN 1
#endif
#endif

#ifdef KESTAVO_TSAN
extern "C" void __tsan_acquire(void* address);
extern "C" void __tsan_release(void* address);
inline void TsanRelease(const void* address)
{
    __tsan_release(const_cast<void*>(address));
}
inline void TsanAcquire(const void* address)
{
    __tsan_acquire(const_cast<void*>(address));
}
#else
inline void TsanRelease(const void*)
{
}
inline void TsanAcquire(const void*)
{
}
#endif
