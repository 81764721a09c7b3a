#pragma once

// The recogniser library's exported calls (libcallig.so). Every call returns a
// 32-bit result, except CgrGetAnswers, whose third question returns a text
// pointer and therefore a pointer-sized integer. Dictionary and context handles
// are small positive ids (never pointers) so they fit the 32-bit words of the
// session settings.

#include <cstdint>

#if defined(__GNUC__)
#define CALLIG_EXPORT __attribute__((visibility("default")))
#else
#define CALLIG_EXPORT
#endif

extern "C" {

// Results.
constexpr int32_t CGR_OK = 0;
constexpr int32_t CGR_ERR_ARGUMENT = 1;
constexpr int32_t CGR_ERR_FORMAT = 2;
constexpr int32_t CGR_ERR_STATE = 3;
constexpr int32_t CGR_ERR_UNSUPPORTED = 4;

// What CgrGetAnswers reports.
constexpr int32_t CGR_ANSWER_WORDS = 1;
constexpr int32_t CGR_ANSWER_ALTERNATIVES = 2;
constexpr int32_t CGR_ANSWER_TEXT = 3;

// Reads a model file image. The buffer's length is not passed: the reader
// checks the magic byte by byte, then the header's own checksum, and then reads
// the payload one block at a time, each block only after the previous block's
// trailer has been verified. A truncated buffer is therefore over-read by at
// most one block and its trailer (kMaxOverRead bytes); callers should place that
// many zero bytes after the file's bytes.
CALLIG_EXPORT int32_t CgrLoadDict(const void* image, int32_t* dict);
// Writing dictionaries back is not supported: returns CGR_ERR_UNSUPPORTED.
CALLIG_EXPORT int32_t CgrSaveDict(const char* path, int32_t dict);
// Releases a dictionary and sets *dict to 0.
CALLIG_EXPORT int32_t CgrFreeDict(int32_t* dict);
// 0 for a loaded dictionary, CGR_ERR_ARGUMENT otherwise.
CALLIG_EXPORT int32_t CgrGetDictStatus(int32_t dict);
// Identifies the recogniser: digits, minus and decimal point.
CALLIG_EXPORT int32_t CgrGetRecID(int32_t context);
// Returns a new context id (> 0), or 0 when none can be made.
CALLIG_EXPORT int32_t CgrCreateContext();
CALLIG_EXPORT int32_t CgrCloseContext(int32_t context);
// settings: six 32-bit words (flags, 0, main dictionary, user dictionary, 0, 0).
CALLIG_EXPORT int32_t CgrOpenSession(const uint32_t* settings, int32_t context);
// points: count (x, y) pairs of 16-bit recogniser units, one call per stroke.
CALLIG_EXPORT int32_t CgrRecognize(int32_t count, const int16_t* points, int32_t context);
// Recognises the strokes of the session; the answers stay until the next session.
CALLIG_EXPORT int32_t CgrCloseSession(int32_t context);
// what = 1: number of words; 2: alternatives of `word`; 3: pointer to the
// zero-terminated text of (word, alternative), or 0.
CALLIG_EXPORT intptr_t CgrGetAnswers(int32_t what, int32_t word, int32_t alternative, int32_t context);

// Renders strokes (x, y pairs in pixels, any scale) into the classifier's
// 28 x 28 input exactly as recognition does; used by the training script so
// that training images and pen ink go through the same drawing.
CALLIG_EXPORT int32_t CalligRenderGlyph(
    const float* xy, const int32_t* strokeLengths, int32_t strokeCount, float penRadius, float* image784);
}
