// The entry points every language module exports, looked up by name after loading.
#pragma once

extern "C" {

struct QvResStringEntry {
    unsigned id;
    const char* utf8;
};

// Returns the module's string table, sorted by id, and its length in *count.
typedef const QvResStringEntry* (*QvResGetStringsFn)(unsigned* count);
}

#define QV_RES_GET_STRINGS "QvResGetStrings"
