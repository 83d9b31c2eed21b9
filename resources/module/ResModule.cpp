// Body of a language module: exports the string table compiled beside it.
#include "resources/module/ResModuleApi.h"

extern const QvResStringEntry kQvResStrings[];
extern const unsigned kQvResStringCount;

extern "C" __attribute__((visibility("default"))) const QvResStringEntry*
QvResGetStrings(unsigned* count) {
    *count = kQvResStringCount;
    return kQvResStrings;
}
