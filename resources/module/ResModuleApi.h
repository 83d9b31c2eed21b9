// The entry points every language module exports, looked up by name after loading.
#pragma once

extern "C" {

struct QvResStringEntry {
    unsigned id;
    const char* utf8;
};

struct QvResBitmapEntry {
    unsigned id;
    unsigned size;
    const unsigned char* data; // a Windows bitmap file
};

// Returns the module's string table, sorted by id, and its length in *count.
typedef const QvResStringEntry* (*QvResGetStringsFn)(unsigned* count);
// Returns the module's bitmaps, sorted by id, and their number in *count.
typedef const QvResBitmapEntry* (*QvResGetBitmapsFn)(unsigned* count);
}

#define QV_RES_GET_STRINGS "QvResGetStrings"
#define QV_RES_GET_BITMAPS "QvResGetBitmaps"
