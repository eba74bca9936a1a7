// A main window over a training whose outline holds a chapter with a slide
// item, a section without slide and a second slide item, with the front page,
// the viewer and Autorun.inf in the data directory and a private temporary
// directory.
#pragma once

#include "support/ui/MainWindowFixture.h"

#include <QByteArray>

namespace testing_support {

class PresentationTest : public MainWindowTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The coded JPEG of one plain colour.
    static QByteArray codedSlide(unsigned rgb);
    // The bytes the export and the preview compose for the fixture's outline.
    QByteArray expectedPresentation() const;
    QString workFile() const;
    QString outFolder() const { return dir.file("out/"); }

    QByteArray front;  // coded front-page slide of the training's type (red)
    QByteArray slideA; // green
    QByteArray slideB; // blue

private:
    QByteArray m_oldTmp;
};

} // namespace testing_support
