// The firmware image file: read whole, accepted by its signature.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/LinkResult.h"

namespace qv {

constexpr size_t kFirmwareSignatureOffset = 0x2000;
constexpr uint8_t FirmwareSignature[8] = {0x44, 0xC5, 0x46, 0xDC, 0x54, 0xC9, 0x46, 0xC5};
// Far above any image the unit takes; a bigger file is not read to its end.
constexpr size_t kFirmwareFileLimit = size_t{64} << 20;

enum class FileReadResult { Ok, CannotOpen, ReadFailed, TooLarge, NotRegular };

// The whole file into `bytes` (only on Ok). A file longer than `limit` bytes
// gives TooLarge; a FIFO, device or socket NotRegular, without being read.
FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::vector<uint8_t>& bytes);

// The signature at its offset, in a file no bigger than kFirmwareFileLimit.
bool IsFirmwareImage(const std::vector<uint8_t>& image);

// The message for a result of the session block write that is not 0: the
// unit's own codes have theirs, anything else (a transport code, 0x8000,
// a cancel, an early end) the general one.
unsigned FirmwareWriteMessage(LinkResult result);

} // namespace qv
