#include "editors/config/ConfigSetModel.h"

namespace qv {

namespace {

template <size_t N>
void MergeBytes(const ByteBlock<N>& opened, const ByteBlock<N>& edited, ByteBlock<N>& into) {
    for (size_t i = 0; i < N; ++i)
        if (edited.bytes[i] != opened.bytes[i])
            into.bytes[i] = edited.bytes[i];
}

template <typename Record, size_t Count>
void MergeRecords(const RecordTable<Record, Count>& opened,
                  const RecordTable<Record, Count>& edited, RecordTable<Record, Count>& into) {
    for (size_t r = 0; r < Count; ++r)
        MergeBytes(opened[r], edited[r], into[r]);
}

} // namespace

ConfigCopies TakeConfigCopies(const ImageBlocks& blocks, int language) {
    ConfigCopies copies;
    copies.users = blocks.users;
    copies.errors = blocks.errorNotify;
    copies.time = blocks.time;
    copies.extra = blocks.configExtra;
    copies.ports = blocks.portNumbers;
    copies.language = language;
    copies.files = blocks.files;
    return copies;
}

void MergeConfigCopies(const ConfigCopies& opened, const ConfigCopies& edited,
                       ImageBlocks& blocks) {
    MergeRecords(opened.users, edited.users, blocks.users);
    MergeBytes(opened.errors, edited.errors, blocks.errorNotify);
    MergeBytes(opened.time, edited.time, blocks.time);
    MergeBytes(opened.extra, edited.extra, blocks.configExtra);
    MergeBytes(opened.ports, edited.ports, blocks.portNumbers);
    for (size_t r = 0; r < FileTable::kCount; ++r) {
        const uint8_t was = opened.files[r].U8(file::kDecimals);
        const uint8_t now = edited.files[r].U8(file::kDecimals);
        if (now != was)
            blocks.files[r].SetU8(file::kDecimals, now);
    }
}

} // namespace qv
