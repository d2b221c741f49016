#include "GuiTestMain.h"
#include "NameDialogsSupport.h"
#include "names/ConstructNamesDlg.h"
#include "names/HelpPopup.h"
#include "names/NameCommands.h"
#include "names/TLDCheckListBox.h"
#include "names/WordLists.h"
#include "base/Settings.h"
#include "base/ProgramFolder.h"
#include "base/TextHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

template <class T>
T* Find(QWidget* dlg, const char* name)
{
    T* child = dlg->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

QPlainTextEdit* Box(QWidget* dlg, const char* name)
{
    return Find<QPlainTextEdit>(dlg, name);
}

// Replaces a box's text by typing, one line per word.
void TypeLines(QPlainTextEdit* box, const QStringList& lines)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, lines[i]);
    }
}

void TypeKeyword(QWidget* dlg, const QString& keyword)
{
    QLineEdit* edit = Find<QComboBox>(dlg, "keyword")->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, keyword);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray BuiltIn(int kind, int list)
{
    QByteArray text = GetBuiltInWordList(kind, list);
    NormalizeWordList(text);
    return text;
}

QString Shown(const QByteArray& words)
{
    return QString::fromLatin1(words).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}


}

class ConstructNamesDialogTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_state = std::make_unique<CNameTestState>(); }

    void theShopExampleGivesItsSixteenNamesInOrder()
    {
        QByteArrayList built;
        CModalDriver driver([&built](QWidget* top) {
            auto* dlg = qobject_cast<CConstructNamesDlg*>(top);
            QVERIFY(dlg);
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Construct Domain Names"));
            QVERIFY(Find<QComboBox>(dlg, "keyword")->lineEdit()->hasFocus());
            TypeKeyword(dlg, QStringLiteral("shop"));
            TypeLines(Box(dlg, "startWords"), {QStringLiteral("e"), QStringLiteral("my")});
            TypeLines(Box(dlg, "endWords"), {QStringLiteral("net")});
            QTest::mouseClick(Find<QCheckBox>(dlg, "useDash"), Qt::LeftButton);
            QTest::mouseClick(Find<QCheckBox>(dlg, "noBoth"), Qt::LeftButton);
            QTest::mouseClick(Find<QPushButton>(dlg, "ok"), Qt::LeftButton);
            QVERIFY(!dlg->isVisible());
            built = dlg->m_arrNames;
        });
        OnConstructNames(m_state->m_doc, nullptr);

        const QByteArrayList expected{"shop", "shop.COM", "eshop.COM", "e-shop.COM", "myshop.COM",
                                      "my-shop.COM", "shopnet.COM", "shop-net.COM", "eshopnet.COM",
                                      "eshop-net.COM", "e-shopnet.COM", "e-shop-net.COM", "myshopnet.COM",
                                      "myshop-net.COM", "my-shopnet.COM", "my-shop-net.COM"};
        QCOMPARE(built, expected);
        // The bare keyword has no TLD of the table and stays out.
        QCOMPARE(m_state->Names(), expected.mid(1));
        QCOMPARE(m_state->m_changes.Changes(), QStringList{QStringLiteral("rebuilt")});
        QVERIFY(driver.m_messages.isEmpty());

        // OK stored the choices, the keyword and the boxes exactly as typed.
        QCOMPARE(Settings::UseDash.Get(), 1);
        QCOMPARE(Settings::NoBothAppend.Get(), 0);
        QCOMPARE(Settings::NoStartAppend.Get(), 0);
        QCOMPARE(Settings::WebType.Get(), 0);
        QCOMPARE(LoadTextHistory(Settings::KeywordsSection), QStringList{QStringLiteral("shop")});
        QCOMPARE(ReadFile(GetWordFilePath(0, kStartWordList)), QByteArray("e\r\nmy"));
        QCOMPARE(ReadFile(GetWordFilePath(0, kEndWordList)), QByteArray("net"));
        QVERIFY(QFile::exists(GetTLDFilePath()));
    }

    void theHistoryKeepsTwentyOneKeywordsNewestFirst()
    {
        QStringList stored;
        for (int i = 1; i <= 21; ++i)
            stored << QStringLiteral("k%1").arg(i);
        QStringList none;
        for (const QString& k : QStringList(stored.crbegin(), stored.crend()))
            SaveTextHistory(none, k, Settings::KeywordsSection);
        QCOMPARE(LoadTextHistory(Settings::KeywordsSection), stored);

        // A 22nd keyword pushes out the oldest.
        auto first = std::make_unique<CModalDriver>([](QWidget* top) {
            auto* combo = Find<QComboBox>(top, "keyword");
            QCOMPARE(combo->count(), 21);
            QCOMPARE(combo->currentText(), QStringLiteral("k1"));
            TypeKeyword(top, QStringLiteral("fresh"));
            // Enter in the keyword box is OK.
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
            QVERIFY(!top->isVisible());
        });
        OnConstructNames(m_state->m_doc, nullptr);
        first.reset();
        QStringList expected = QStringList{QStringLiteral("fresh")} + stored.mid(0, 20);
        QCOMPARE(LoadTextHistory(Settings::KeywordsSection), expected);

        // Picking a remembered keyword moves it to the top without growing the list.
        CModalDriver second([](QWidget* top) {
            auto* combo = Find<QComboBox>(top, "keyword");
            QCOMPARE(combo->currentText(), QStringLiteral("fresh"));
            combo->setFocus();
            for (int i = 0; i < 5; ++i)
                QTest::keyClick(combo, Qt::Key_Down);
            QCOMPARE(combo->currentText(), QStringLiteral("k5"));
            QTest::mouseClick(Find<QPushButton>(top, "ok"), Qt::LeftButton);
        });
        OnConstructNames(m_state->m_doc, nullptr);
        expected.move(5, 0);
        QCOMPARE(LoadTextHistory(Settings::KeywordsSection), expected);
    }

    void eachKindLoadsItsOwnListsAndDropsEdits()
    {
        // An existing empty file is an empty list, not the built-in one.
        WriteFile(GetWordFilePath(0, kStartWordList), {});
        auto driver = std::make_unique<CModalDriver>([](QWidget* top) {
            auto* kind = Find<QComboBox>(top, "webType");
            auto* start = Box(top, "startWords");
            auto* end = Box(top, "endWords");
            QCOMPARE(kind->count(), 6);
            QCOMPARE(kind->currentText(), QStringLiteral("All"));
            QCOMPARE(start->toPlainText(), QString());
            QCOMPARE(end->toPlainText(), Shown(BuiltIn(0, kEndWordList)));

            TypeLines(start, {QStringLiteral("edited")});
            TypeLines(end, {QStringLiteral("edited")});
            kind->setFocus();
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(kind, Qt::Key_Down);
            QCOMPARE(kind->currentText(), QStringLiteral("Fun"));
            QCOMPARE(start->toPlainText(), QStringLiteral("good\nnice\nfast\n"));
            QCOMPARE(end->toPlainText(), Shown(BuiltIn(3, kEndWordList)));

            TypeLines(start, {QStringLiteral("edited")});
            QTest::keyClick(kind, Qt::Key_End);
            QCOMPARE(kind->currentText(), QStringLiteral("Custom"));
            QCOMPARE(start->toPlainText(), QString());
            QCOMPARE(end->toPlainText(), QString());

            TypeLines(start, {QStringLiteral("mine")});
            TypeKeyword(top, QStringLiteral("base"));
            QTest::mouseClick(Find<QPushButton>(top, "ok"), Qt::LeftButton);
        });
        OnConstructNames(m_state->m_doc, nullptr);
        QCOMPARE(driver->m_nSteps, 1);
        driver.reset();
        // Only the kind selected on OK is written; the edits of the others are gone.
        QCOMPARE(Settings::WebType.Get(), 5);
        QCOMPARE(ReadFile(GetWordFilePath(5, kStartWordList)), QByteArray("mine"));
        QCOMPARE(ReadFile(GetWordFilePath(5, kEndWordList)), QByteArray());
        QCOMPARE(ReadFile(GetWordFilePath(0, kStartWordList)), QByteArray());
        QVERIFY(!QFile::exists(GetWordFilePath(0, kEndWordList)));
        QVERIFY(!QFile::exists(GetWordFilePath(3, kStartWordList)));
        QVERIFY(m_state->m_doc.FindDomain("minebase.COM"));

        // The next time the dialog opens on that kind and those words.
        CModalDriver again([](QWidget* top) {
            QCOMPARE(Find<QComboBox>(top, "webType")->currentText(), QStringLiteral("Custom"));
            QCOMPARE(Box(top, "startWords")->toPlainText(), QStringLiteral("mine\n"));
            QTest::keyClick(top, Qt::Key_Escape);
        });
        OnConstructNames(m_state->m_doc, nullptr);
    }

    void cancelStoresNothing()
    {
        CModalDriver driver([](QWidget* top) {
            TypeKeyword(top, QStringLiteral("shop"));
            QTest::mouseClick(Find<QCheckBox>(top, "useDash"), Qt::LeftButton);
            Find<QComboBox>(top, "webType")->setCurrentIndex(2);
            Find<CTLDCheckListBox>(top, "tldList")->SetCheck(1, true);
            QTest::mouseClick(Find<QPushButton>(top, "cancel"), Qt::LeftButton);
        });
        OnConstructNames(m_state->m_doc, nullptr);
        QCOMPARE(m_state->m_doc.GetCount(), 0);
        QVERIFY(m_state->m_changes.IsEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
        QVERIFY(QDir(GetProgramFolder()).entryList(QDir::Files).isEmpty());
        QVERIFY(!g_tldTable.GetAt(1)->m_bSelected);
    }

    void importedWordsReplaceTheBoxAsAList()
    {
        const QString path = GetProgramFolder() + QStringLiteral("words.txt");
        WriteFile(path, "alpha, beta;gamma-delta\r\n\r\n");
        CModalDriver driver([&path](QWidget* top) {
            auto* dlg = qobject_cast<CConstructNamesDlg*>(top);
            QVERIFY(dlg);
            QVERIFY(dlg->ImportWords(kEndWordList, path));
            QCOMPARE(Box(dlg, "endWords")->toPlainText(), QStringLiteral("alpha\nbeta\ngamma\ndelta\n"));
            QCOMPARE(Box(dlg, "startWords")->toPlainText(), Shown(BuiltIn(0, kStartWordList)));
            QVERIFY(!dlg->ImportWords(kStartWordList, path + QStringLiteral(".gone")));
            QCOMPARE(Box(dlg, "startWords")->toPlainText(), Shown(BuiltIn(0, kStartWordList)));
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        OnConstructNames(m_state->m_doc, nullptr);
        QCOMPARE(driver.m_messages.size(), 1);
        QVERIFY(driver.m_messages[0].contains(QStringLiteral("words.txt.gone")));
    }

    void helpPopsUpBesideTheDialogAndGoesOnAKey()
    {
        CConstructNamesDlg dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTest::mouseClick(Find<QPushButton>(&dlg, "help"), Qt::LeftButton);
        QPointer<CHelpPopup> popup = dlg.findChild<CHelpPopup*>();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(popup->text(), QString::fromLatin1(CConstructNamesDlg::kHelpText).replace(QStringLiteral("\r\n"),
                                                                                           QStringLiteral("\n")));
        QCOMPARE(popup->pos(), dlg.frameGeometry().topLeft() + QPoint(150, 100));
        QTest::keyClick(popup, Qt::Key_Escape);
        QTRY_VERIFY(!popup);
        QVERIFY(dlg.isVisible());
    }

    void f1ShowsTheHelpOnAddingNames()
    {
        CModalDriver driver([](QWidget* top) {
            auto* dlg = qobject_cast<CConstructNamesDlg*>(top);
            QVERIFY(dlg);
            VerifyF1ShowsTheHelpOnAddingNames(dlg);
        });
        OnConstructNames(m_state->m_doc, nullptr);
        QCOMPARE(driver.m_nSteps, 1);
    }

    void hugeWordListsStopAtAMillionNamesAndSaySo()
    {
        QByteArray start;
        QByteArray end;
        for (int i = 0; i < 1000; ++i) {
            start += "s" + QByteArray::number(i) + "\r\n";
            end += "e" + QByteArray::number(i) + "\r\n";
        }
        const QString startPath = GetProgramFolder() + QStringLiteral("start.txt");
        const QString endPath = GetProgramFolder() + QStringLiteral("end.txt");
        WriteFile(startPath, start);
        WriteFile(endPath, end);
        qsizetype built = 0;
        qint64 leftOut = 0;
        CModalDriver driver([&](QWidget* top) {
            auto* dlg = qobject_cast<CConstructNamesDlg*>(top);
            QVERIFY(dlg);
            QVERIFY(dlg->ImportWords(kStartWordList, startPath));
            QVERIFY(dlg->ImportWords(kEndWordList, endPath));
            TypeKeyword(dlg, QStringLiteral("k"));
            QTest::mouseClick(Find<QCheckBox>(dlg, "noBoth"), Qt::LeftButton);
            QTest::mouseClick(Find<QPushButton>(dlg, "ok"), Qt::LeftButton);
            built = dlg->m_arrNames.size();
            leftOut = dlg->m_nNamesLeftOut;
        });
        OnConstructNames(m_state->m_doc, nullptr);
        // 1 + (1 + 1000 + 1000 + 1000 * 1000) names with the one ticked TLD.
        QCOMPARE(built, CConstructNamesDlg::kMaxConstructedNames);
        QCOMPARE(leftOut, qint64(1002002 - CConstructNamesDlg::kMaxConstructedNames));
        QCOMPARE(m_state->m_doc.GetCount(), 3000);
        QCOMPARE(driver.m_messages.size(), 1);
        QVERIFY(driver.m_messages[0].contains(QStringLiteral("names these words make were not tried")));
    }

private:
    std::unique_ptr<CNameTestState> m_state;
};

TELVARO_GUI_TEST_MAIN(ConstructNamesDialogTest)
#include "ConstructNamesDialogTest.moc"
