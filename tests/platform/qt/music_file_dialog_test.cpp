#include "platform/qt/music_file_dialog.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "qt_app.h"

namespace cindral::platform::qt {
namespace {

TEST(QtMusicFileDialog, OneFilterMatchingMusicFilesInAnyCase) {
    test::App();
    QTemporaryDir dir;
    for (const char* name : {"a.mp3", "B.Wav", "C.MP3", "d.WAV", "e.txt", "f.mp3.txt", "wav"}) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    QtMusicFileDialog::Configure(dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ﾌｧｲﾙを開く"));
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("BGMﾌｧｲﾙ (MP3 WAV) (*.MP3 *.WAV)")});
    EXPECT_TRUE(dialog.testOption(QFileDialog::HideNameFilterDetails));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);  // the file need not exist

    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.setDirectory(dir.path());
    dialog.show();
    ASSERT_TRUE(loaded.wait(5000));
    QTest::qWait(50);
    const QModelIndex root = model->index(dir.path());
    QStringList offered;
    for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex i = model->index(row, 0, root);
        if (model->flags(i) & Qt::ItemIsEnabled) offered << model->fileName(i);
    }
    offered.sort();
    EXPECT_EQ(offered, (QStringList{"B.Wav", "C.MP3", "a.mp3", "d.WAV"}));
}

}  // namespace
}  // namespace cindral::platform::qt
