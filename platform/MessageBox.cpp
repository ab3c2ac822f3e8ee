#include "platform/MessageBox.h"

#include <QFile>
#include <QMessageBox>
#include <QStringList>

#include <cstdlib>
#include <mutex>

namespace {

std::mutex g_mutex;
MessageBox::Hook g_hook;
int g_answersUsed = 0;

QString Escaped(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\r'), QLatin1String("\\n"));
    text.replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return text;
}

// The next scripted answer, consumed whether or not it fits the box, so the script stays in step
// with the boxes shown.
bool NextScriptedAnswer(QString* word) {
    const char* script = std::getenv("ZELVO_ANSWERS");
    if (!script || !*script) return false;
    const QStringList words = QString::fromUtf8(script).split(QLatin1Char(','));
    std::lock_guard lock(g_mutex);
    if (g_answersUsed >= words.size()) return false;
    *word = words[g_answersUsed++].trimmed();
    return true;
}

MessageBox::Answer Unattended(const MessageBox::Request& request, const char* logFile) {
    QFile file(QString::fromLocal8Bit(logFile));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        file.write((MessageBox::LogLine(request) + QLatin1Char('\n')).toUtf8());
        file.close();
    }
    QString word;
    MessageBox::Answer answer;
    if (NextScriptedAnswer(&word) && MessageBox::ParseAnswer(word, &answer)) {
        for (MessageBox::Answer offered : MessageBox::ButtonAnswers(request.buttons))
            if (offered == answer) return answer;
    }
    return MessageBox::DefaultAnswer(request);
}

QMessageBox::StandardButton StandardButton(MessageBox::Answer answer) {
    switch (answer) {
    case MessageBox::Answer::Ok: return QMessageBox::Ok;
    case MessageBox::Answer::Cancel: return QMessageBox::Cancel;
    case MessageBox::Answer::Yes: return QMessageBox::Yes;
    case MessageBox::Answer::No: return QMessageBox::No;
    case MessageBox::Answer::Retry: return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon QtIcon(MessageBox::Icon icon) {
    switch (icon) {
    case MessageBox::Icon::None: return QMessageBox::NoIcon;
    case MessageBox::Icon::Information: return QMessageBox::Information;
    case MessageBox::Icon::Warning: return QMessageBox::Warning;
    case MessageBox::Icon::Error: return QMessageBox::Critical;
    case MessageBox::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

MessageBox::Answer Interactive(const MessageBox::Request& request, QWidget* parent) {
    QMessageBox box(QtIcon(request.icon), request.caption, request.text, QMessageBox::NoButton, parent);
    const std::vector<MessageBox::Answer> answers = MessageBox::ButtonAnswers(request.buttons);
    bool hasCancel = false;
    for (MessageBox::Answer answer : answers) {
        box.addButton(StandardButton(answer));
        hasCancel = hasCancel || answer == MessageBox::Answer::Cancel;
    }
    const MessageBox::Answer def = MessageBox::DefaultAnswer(request);
    box.setDefaultButton(StandardButton(def));
    box.setEscapeButton(StandardButton(hasCancel ? MessageBox::Answer::Cancel : def));
    const int result = box.exec();
    for (MessageBox::Answer answer : answers)
        if (result == StandardButton(answer)) return answer;
    return hasCancel ? MessageBox::Answer::Cancel : def;
}

}  // namespace

MessageBox::Answer MessageBox::Show(const Request& request, QWidget* parent) {
    Hook hook;
    {
        std::lock_guard lock(g_mutex);
        hook = g_hook;
    }
    if (hook) return hook(request);
    if (const char* log = std::getenv("ZELVO_MESSAGEBOX_LOG"); log && *log) return Unattended(request, log);
    return Interactive(request, parent);
}

MessageBox::Answer MessageBox::Show(const QString& caption, const QString& text, Buttons buttons, Icon icon,
                                    QWidget* parent) {
    Request request;
    request.caption = caption;
    request.text = text;
    request.buttons = buttons;
    request.icon = icon;
    return Show(request, parent);
}

void MessageBox::SetTestHook(Hook hook) {
    std::lock_guard lock(g_mutex);
    g_hook = std::move(hook);
}

const char* MessageBox::ButtonsName(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return "OK";
    case Buttons::OkCancel: return "OKCANCEL";
    case Buttons::YesNo: return "YESNO";
    case Buttons::YesNoCancel: return "YESNOCANCEL";
    case Buttons::RetryCancel: return "RETRYCANCEL";
    }
    return "OK";
}

const char* MessageBox::IconName(Icon icon) {
    switch (icon) {
    case Icon::None: return "NONE";
    case Icon::Information: return "INFORMATION";
    case Icon::Warning: return "WARNING";
    case Icon::Error: return "ERROR";
    case Icon::Question: return "QUESTION";
    }
    return "NONE";
}

const char* MessageBox::AnswerName(Answer answer) {
    switch (answer) {
    case Answer::Ok: return "ok";
    case Answer::Cancel: return "cancel";
    case Answer::Yes: return "yes";
    case Answer::No: return "no";
    case Answer::Retry: return "retry";
    }
    return "ok";
}

bool MessageBox::ParseAnswer(const QString& word, Answer* answer) {
    for (Answer candidate : {Answer::Ok, Answer::Cancel, Answer::Yes, Answer::No, Answer::Retry}) {
        if (word.compare(QLatin1String(AnswerName(candidate)), Qt::CaseInsensitive) == 0) {
            if (answer) *answer = candidate;
            return true;
        }
    }
    return false;
}

std::vector<MessageBox::Answer> MessageBox::ButtonAnswers(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return {Answer::Ok};
    case Buttons::OkCancel: return {Answer::Ok, Answer::Cancel};
    case Buttons::YesNo: return {Answer::Yes, Answer::No};
    case Buttons::YesNoCancel: return {Answer::Yes, Answer::No, Answer::Cancel};
    case Buttons::RetryCancel: return {Answer::Retry, Answer::Cancel};
    }
    return {Answer::Ok};
}

MessageBox::Answer MessageBox::DefaultAnswer(const Request& request) {
    const std::vector<Answer> answers = ButtonAnswers(request.buttons);
    if (request.defaultButton < 0 || static_cast<size_t>(request.defaultButton) >= answers.size()) return answers.front();
    return answers[static_cast<size_t>(request.defaultButton)];
}

QString MessageBox::LogLine(const Request& request) {
    return Escaped(request.caption) + QLatin1Char('\t') + Escaped(request.text) + QLatin1Char('\t') +
           QLatin1String(ButtonsName(request.buttons)) + QLatin1Char('\t') + QLatin1String(IconName(request.icon));
}

void MessageBox::ResetScriptedAnswers() {
    std::lock_guard lock(g_mutex);
    g_answersUsed = 0;
}
