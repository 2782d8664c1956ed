#pragma once
// A main window controller set up as at start-up, its start dialog and every question and panel
// answered by a script.

#include "core/Globals.h"
#include "core/SKTDocument.h"
#include "mainwindow/SKTWindowController.h"
#include "mainwindow/Start_Card.h"
#include "platform/UiServices.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <vector>

namespace {

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Card_Front_Or_Back = 0;
        Start_Card_Option = QStringLiteral("T");
        m_previousRunner = Start_Card::setModalRunner([this](Start_Card &dialog) {
            ++startDialogRuns;
            const int answer = startAnswers.empty() ? 1 : startAnswers.front();
            if (!startAnswers.empty())
                startAnswers.erase(startAnswers.begin());
            if (answer == 1)
                dialog.Using_Template_Click();
            else if (answer == 2)
                dialog.Open_Log_Click();
            else
                dialog.CancelClick();
            return dialog.result();
        });
        document = std::make_unique<SKTDocument>();
        controller = std::make_unique<SKTWindowController>(*document);
    }
    void TearDown() override
    {
        controller.reset();
        document.reset();
        Start_Card::setModalRunner(m_previousRunner);
        Card_Front_Or_Back = 0;
    }
    bool setUpWindow() { return controller->awakeFromNib(); }
    template <class W>
    W *outlet(const char *name)
    {
        W *w = controller->findChild<W *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    const SKTGraphicArray &front() const { return document->graphics(); }

    testsupport::TempDataFolder folders;
    platform::ScopedScriptedUi ui;
    std::unique_ptr<SKTDocument> document;
    std::unique_ptr<SKTWindowController> controller;
    // Start dialog answers in turn: 1 a template, 2 open a saved design, 0 Cancel; 1 when none is left.
    std::vector<int> startAnswers;
    int startDialogRuns = 0;

private:
    Start_Card::ModalRunner m_previousRunner;
};

}  // namespace
