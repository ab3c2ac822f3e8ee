#pragma once
// The one way the system shows a message box. Every box goes through Show, so a run without
// anyone at the screen never blocks: with ZELVO_MESSAGEBOX_LOG=FILE the box is written to FILE as
// one line (caption, text, buttons, icon, tab-separated; line breaks as \n) and answered with the
// next scripted answer of ZELVO_ANSWERS that fits its buttons, else with its default button.
// Tests may instead install a hook that sees each request and answers it. Show is for the
// user-interface thread, as every window is.
#include <QString>

#include <functional>
#include <vector>

class QWidget;

class MessageBox {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Answer { Ok, Cancel, Yes, No, Retry };

    struct Request {
        QString caption;
        QString text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        int defaultButton = 0;  // position among the box's buttons, 0 first
    };
    using Hook = std::function<Answer(const Request&)>;

    // Shows the box (modal to parent when given) and returns the button pressed. A default button
    // position outside the box's buttons counts as the first button. Closing the box without a
    // button answers Cancel where the box has one, else its default button.
    static Answer Show(const Request& request, QWidget* parent = nullptr);
    static Answer Show(const QString& caption, const QString& text, Buttons buttons = Buttons::Ok,
                       Icon icon = Icon::None, QWidget* parent = nullptr);

    // Replaces the real box (and the log) for tests; an empty hook removes it.
    static void SetTestHook(Hook hook);

    // Words used in the log and in ZELVO_ANSWERS.
    static const char* ButtonsName(Buttons buttons);
    static const char* IconName(Icon icon);
    static const char* AnswerName(Answer answer);
    // The answer of a word (ok, cancel, yes, no, retry; any case); false for anything else.
    static bool ParseAnswer(const QString& word, Answer* answer);
    // The box's buttons in their order, and its default answer.
    static std::vector<Answer> ButtonAnswers(Buttons buttons);
    static Answer DefaultAnswer(const Request& request);
    // The log line of a request, without the line end.
    static QString LogLine(const Request& request);
    // Forgets how many scripted answers were used (ZELVO_ANSWERS is read again at the next box).
    static void ResetScriptedAnswers();
};
