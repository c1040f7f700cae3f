#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QtTest/QTest>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog/Boxes.h"
#include "dialog/UTraslado.h"
#include "support/TestSupport.h"

// Answers every box of the dialog and remembers what each one showed. A login
// box takes the next queued answer; with none queued it is cancelled.
class TAnsweringBoxes : public TBoxes {
public:
    struct TLoginAsked {
        std::string databaseName;
        std::string userName;
    };

    void Message(QWidget*, const QString& text) override { messages.push_back(text.toStdString()); }
    void Error(QWidget*, const QString& caption, const QString& text) override {
        errorCaptions.push_back(caption.toStdString());
        errors.push_back(text.toStdString());
    }
    std::optional<dbaccess::TLogin> Login(QWidget*, const QString& databaseName, const QString& userName) override {
        loginsAsked.push_back({databaseName.toStdString(), userName.toStdString()});
        if (loginAnswers.empty()) return std::nullopt;
        auto answer = loginAnswers.front();
        loginAnswers.pop_front();
        return answer;
    }

    std::vector<std::string> messages;
    std::vector<std::string> errors;
    std::vector<std::string> errorCaptions;
    std::deque<std::optional<dbaccess::TLogin>> loginAnswers;
    std::vector<TLoginAsked> loginsAsked;
};

// Two SQLite databases behind the aliases "Origem" (tables pessoa and cidade,
// with rows) and "Destino" (the same tables, empty), and "Vazio" with no
// tables; the real dialog, built and shown on the offscreen platform.
class TDialogTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Extra alias sections appended to the configuration before the dialog is built.
    virtual std::string ExtraAliases() { return {}; }

    void Build();
    void ShowDialog();
    TF_Traslado& Dialog() { return *m_dialog; }

    // Keys as a person types them, to whatever has the focus.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void TypeInto(QComboBox* box, const QString& text);
    QWidget* Focused() const;
    QStringList Items(const QComboBox* box) const;
    // Lets queued events run until `done` holds or a second has passed.
    static bool WaitFor(const std::function<bool()>& done);

    testsupport::TTempDir m_dir;
    TAnsweringBoxes m_boxes;
    std::unique_ptr<TF_Traslado> m_dialog;
};

// Builds and shows the dialog in SetUp.
class TShownDialogTest : public TDialogTest {
protected:
    void SetUp() override {
        TDialogTest::SetUp();
        Build();
        ShowDialog();
    }
};
