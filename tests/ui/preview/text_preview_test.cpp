// The text preview: information line and title in both modes, the
// megabyte cut, strict decoding, the character-set switch and wrapping.

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>

#include "options/charsets.h"
#include "support/test_support.h"
#include "ui/preview/text_preview.h"

using testsupport::TempDir;

namespace {

constexpr int kUtf8 = kUtf8CharsetIndex;
const QString kNote = QStringLiteral(" (Preview dialog displays only 1 megabyte for big files)");

} // namespace

class TextPreviewTest : public QObject {
    Q_OBJECT
private slots:
    void titleAndInformationLine_data();
    void titleAndInformationLine();
    void shownText_data();
    void shownText();
    void charsetSwitchReadsAgain();
    void wrapSwitchFlips();

private:
    std::string write(const char* name, const std::string& bytes)
    {
        const std::string path = dir_.file(name);
        testsupport::writeFile(path, bytes);
        return path;
    }

    TempDir dir_;
};

void TextPreviewTest::titleAndInformationLine_data()
{
    QTest::addColumn<int>("charset");
    QTest::addColumn<bool>("document");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("suffix");

    QTest::newRow("ordinary file") << kUtf8 << false << kUtf8 << kNote;
    QTest::newRow("document mode") << -1 << true << kDefaultCharsetIndex << QString();
}

void TextPreviewTest::titleAndInformationLine()
{
    QFETCH(int, charset);
    QFETCH(bool, document);
    QFETCH(int, selected);
    QFETCH(QString, suffix);

    const QString path = QString::fromStdString(write("ten.txt", "0123456789"));
    textPreview preview(path, charset);
    preview.windowDidLoad();
    QCOMPARE(preview.documentMode(), document);
    QCOMPARE(preview.window()->windowTitle(), document ? QStringLiteral("ten.txt") : path);
    QCOMPARE(preview.infoText(), "10 bytes" + suffix);
    QCOMPARE(preview.charset(), selected);
    auto* pop = preview.window()->findChild<QComboBox*>("pop");
    QCOMPARE(pop->count(), kCharsetCount);
    QCOMPARE(pop->currentData().toInt(), selected);
    QCOMPARE(preview.txt()->toPlainText(), QStringLiteral("0123456789"));
}

void TextPreviewTest::shownText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("charset");
    QTest::addColumn<int>("shownLength"); // -1: the whole text

    std::string twoMegabytes;
    for (int line = 0; twoMegabytes.size() < 2 * 1048576; ++line)
        twoMegabytes += "line " + std::to_string(line) + " of a long text file\n";
    std::string cutInCharacter(1048575, 'a');
    cutInCharacter += "\xD0\x99 after the cut"; // "Й" across the limit

    QTest::newRow("2 MB: the first megabyte") << QByteArray::fromStdString(twoMegabytes) << kUtf8 << 1048576;
    QTest::newRow("UTF-8 cut inside a character: empty") << QByteArray::fromStdString(cutInCharacter) << kUtf8 << 0;
    QTest::newRow("not UTF-8: empty") << QByteArray("abc\xFF\xFE def") << kUtf8 << 0;
    QTest::newRow("Cyrillic (Windows)") << QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2") << kDefaultCharsetIndex << -1;
    QTest::newRow("empty file") << QByteArray() << kUtf8 << 0;
}

void TextPreviewTest::shownText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, charset);
    QFETCH(int, shownLength);

    const std::string path = write("text.txt", bytes.toStdString());
    textPreview preview(QString::fromStdString(path), charset);
    preview.windowDidLoad();
    const QString shown = preview.txt()->toPlainText();
    QCOMPARE(preview.infoText(), QString::number(bytes.size()) + " bytes" + kNote);
    if (shownLength >= 0) {
        QCOMPARE(shown.size(), shownLength);
        QCOMPARE(shown, QString::fromUtf8(bytes.left(shownLength)));
    } else {
        QCOMPARE(shown, QStringLiteral("Привет"));
    }
}

void TextPreviewTest::charsetSwitchReadsAgain()
{
    const std::string path = write("cyrillic.txt", "\xCF\xF0\xE8\xE2\xE5\xF2");
    textPreview preview(QString::fromStdString(path), kDefaultCharsetIndex);
    preview.windowDidLoad();
    QCOMPARE(preview.txt()->toPlainText(), QStringLiteral("Привет"));

    auto* pop = preview.window()->findChild<QComboBox*>("pop");
    pop->setCurrentIndex(charsetIndexForName(QStringLiteral("Cyrillic (KOI8-R)")).value_or(0));
    QCOMPARE(preview.txt()->toPlainText(), QStringLiteral("оПХБЕР"));
    pop->setCurrentIndex(kUtf8);
    QCOMPARE(preview.txt()->toPlainText(), QString()); // not UTF-8
    QCOMPARE(preview.infoText(), "6 bytes" + kNote);
}

void TextPreviewTest::wrapSwitchFlips()
{
    const std::string path = write("wrap.txt", std::string(500, 'x') + "\n");
    textPreview preview(QString::fromStdString(path), kUtf8);
    preview.windowDidLoad();
    auto* wrap = preview.window()->findChild<QCheckBox*>("wrap");
    QVERIFY(wrap);
    QCOMPARE(preview.txt()->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(!wrap->isChecked());
    wrap->click();
    QCOMPARE(preview.txt()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(preview.wrapsLines());
    wrap->click();
    QCOMPARE(preview.txt()->lineWrapMode(), QPlainTextEdit::NoWrap);
    preview.wrapToogle();
    QVERIFY(wrap->isChecked());
}

QTEST_MAIN(TextPreviewTest)
#include "text_preview_test.moc"
