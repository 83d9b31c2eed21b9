// Body of a language module: exports the string table compiled beside it.
#include "resources/module/ResModuleApi.h"

extern const QvResStringEntry kQvResStrings[];
extern const unsigned kQvResStringCount;
extern const QvResBitmapEntry kQvResBitmaps[];
extern const unsigned kQvResBitmapCount;

extern "C" __attribute__((visibility("default"))) const QvResStringEntry*
QvResGetStrings(unsigned* count) {
    *count = kQvResStringCount;
    return kQvResStrings;
}

extern "C" __attribute__((visibility("default"))) const QvResBitmapEntry*
QvResGetBitmaps(unsigned* count) {
    *count = kQvResBitmapCount;
    return kQvResBitmaps;
}
