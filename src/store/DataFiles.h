// Names of the files in the data directory, and the data directory itself.
#pragma once

#include <QString>

namespace marbelo {

// The directory of the executable, with exactly one trailing separator.
QString dataDirFromExecutable(const QString &executablePath);

// The platform's directory for temporary files, with one trailing separator.
QString temporaryDir();

// Training number in decimal, left-padded with "0" to four digits.
QString numberSuffix(int trainingNumber);

inline const QString kCatalogueName = QStringLiteral("Projects.pdl");
inline const QString kFrontPageName = QStringLiteral("TarvixFront.fdl");
inline const QString kViewJpgName = QStringLiteral("View.jpg");
inline const QString kCopyJpgName = QStringLiteral("Copy.jpg");
inline const QString kPresentationWorkName = QStringLiteral("View.pnn");

QString outlineFileName(int trainingNumber);    // "Tree" + suffix + ".pdl"
QString imageStoreFileName(int trainingNumber); // "Data" + suffix + ".pdl"
QString programmeFileName(int trainingNumber);  // "Plan" + suffix + ".pdl": hours and form

} // namespace marbelo
