#pragma once

#include "TForm2.h"

#include <QFile>
#include <QFrame>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace stacklume {

// A dialog on a fresh program folder, with the main window's side recorded: its KindCount, how
// often the patterns were applied and what was reported.
class TForm2Fixture : public ::testing::Test {
protected:
    void GivenSettings(const QByteArray& text) {
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // As the main window does at start-up: made, not shown.
    TForm2& Create() {
        form_ = std::make_unique<TForm2>(
            folder_.path(), kindCount_,
            [this](const BrickPatternTexts& patterns) {
                ++applied_;
                if (onApply_)
                    onApply_(patterns);
            },
            [this](const QString& problem) { problems_ << problem; });
        return *form_;
    }

    TForm2& Open() {
        Create().show();
        return *form_;
    }

    QString SettingsPath() const { return folder_.filePath(QStringLiteral("stacklume.ini")); }

    QByteArray SettingsText() const {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

    QFrame* Panel1() const { return form_->findChild<QFrame*>(QStringLiteral("Panel1")); }

    // The cells in the order they were made.
    QList<QFrame*> Cells() const { return Panel1()->findChildren<QFrame*>(Qt::FindDirectChildrenOnly); }
    QFrame* Cell(int row, int column) const { return Cells().at(column * BoxSize + row); }

    // The cells as a drawing, rows top to bottom: "#" black, "." silver, "?" any other colour.
    QString Shown() const {
        QString rows;
        for (int row = 0; row < BoxSize; ++row)
            for (int column = 0; column < BoxSize; ++column) {
                const QColor colour = Cell(row, column)->palette().color(QPalette::Window);
                rows += colour == QColor(0, 0, 0) ? '#' : colour == QColor(192, 192, 192) ? '.' : '?';
            }
        return rows;
    }

    void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    void ClickCell(int row, int column) { Click(Cell(row, column)); }

    // Clicks the cells so that they show the drawing.
    void Draw(const QString& rows) {
        for (int i = 0; i < BoxSize * BoxSize; ++i)
            if ((rows[i] == '#') != (Shown()[i] == '#'))
                ClickCell(i / BoxSize, i % BoxSize);
        ASSERT_EQ(Shown(), rows);
    }

    QRadioButton* Item(int index) const {
        return form_->findChild<QWidget*>(QStringLiteral("RadioGroup1"))
            ->findChildren<QRadioButton*>()
            .at(index);
    }

    void ClickOk() { Click(form_->findChild<QWidget*>(QStringLiteral("Button1"))); }

    QTemporaryDir folder_;
    int kindCount_ = StandardKindCount;
    int applied_ = 0;
    std::function<void(const BrickPatternTexts&)> onApply_;
    QStringList problems_;
    std::unique_ptr<TForm2> form_;
};

} // namespace stacklume
