#include "support/PresentationData.h"

#include "store/DataFiles.h"
#include "store/Outline.h"
#include "store/SlideBlocks.h"
#include "store/components/Coding.h"
#include "support/Fixtures.h"

using namespace marbelo;

namespace testing_support {

TrainingData writeTrainingData(const QString &dataDir, const QString &name, int slideCount)
{
    TrainingData data;
    writeFile(dataDir + kCatalogueName, trainingRecordBytes(name, 1));
    QByteArray fronts;
    for (int t = 0; t < 6; ++t) {
        const QByteArray jpeg = makeJpeg(32, 24, 0x102030u * unsigned(t + 1));
        fronts += blockBytes(BCodeToStr(jpeg));
        if (t == 1)
            data.jpegs.push_back(jpeg);
    }
    writeFile(dataDir + kFrontPageName, fronts);

    QByteArray store = kImageStoreMagic;
    std::vector<OutlineRecord> outline{{QStringLiteral("Rozdział"), 0, kHeadingFlag}};
    data.references.push_back(kHeadingFlag);
    for (int i = 0; i < slideCount; ++i) {
        const QByteArray jpeg = makeJpeg(40 + 8 * i, 30, 0x3366CCu + 0x101010u * unsigned(i));
        const auto offset = static_cast<ItemReference>(store.size());
        store += blockBytes(BCodeToStr(jpeg));
        outline.push_back({QStringLiteral("Temat %1").arg(i + 1), 1, offset});
        data.references.push_back(offset);
        data.jpegs.push_back(jpeg);
    }
    writeFile(dataDir + imageStoreFileName(0), store);
    writeFile(dataDir + outlineFileName(0), outlineBytes(outline));
    writeFile(dataDir + QStringLiteral("TarvixView.exe"), "viewer program");
    writeFile(dataDir + QStringLiteral("Autorun.inf"), "[autorun]\nopen=Start.exe\n");
    for (const QByteArray &jpeg : data.jpegs)
        data.presentation += blockBytes(BCodeToStr(jpeg));
    return data;
}

} // namespace testing_support
