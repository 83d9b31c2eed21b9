// Writes the seeds too big to keep in the repository: a settings file and a
// transfer image of the factory settings. Usage: qv_fuzz_seeds DIR
#include <cstdio>
#include <filesystem>
#include <memory>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"

using namespace qv;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir / "FuzzSettingsFile");
    std::filesystem::create_directories(dir / "FuzzTransferImage");

    CQuorvelDoc doc(kCodePageJapanese);
    if (doc.SaveSettingsFile((dir / "FuzzSettingsFile" / "defaults.qv").string()) != kFileOk)
        return 1;

    // Step 0 of the target: the image after its choice byte.
    auto image = std::make_unique<TransferImage>();
    image->fill(0);
    doc.DocToImage(*image);
    FILE* f = std::fopen((dir / "FuzzTransferImage" / "defaults.img").string().c_str(), "wb");
    if (!f)
        return 1;
    const bool ok =
        std::fputc(0, f) != EOF && std::fwrite(image->data(), 1, image->size(), f) == image->size();
    return std::fclose(f) == 0 && ok ? 0 : 1;
}
