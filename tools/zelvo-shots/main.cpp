// zelvo-shots OUTDIR: renders the main window on each of its pages, the pages alone, the Preferences dialog, the tray pictures and
// the tray menu on the simulated adapter (connected to its WPA2 network) to PNG files in OUTDIR,
// one per window, named after the window's class. Runs without a display.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <vector>

#include "ShotWorld.h"
#include "platform/FakeTrayIcon.h"
#include "platform/ResourceChain.h"
#include "wmapp/WmAppPropSheet.h"
#include "wmapp/WmConfigurationPage.h"
#include "wmapp/WmHistoryPage.h"
#include "wmapp/WmLinkStatusPage.h"
#include "wmapp/WmStatisticsPage.h"
#include "wmapp/WmStatusSourceClient.h"
#include "wmapp/WmTrayIcon.h"
#include "wmapp/WmTrayMenu.h"
#include "wmapp/WmTrayPreferences.h"
#include "wmapp/WmTrayPreferencesDlg.h"
#include "zelgui/services/WgSettings.h"

namespace {

QString g_outDir;
int g_failures = 0;

void Save(const QImage& image, const QString& name) {
    const QString path = g_outDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "zelvo-shots: cannot write %s\n", qPrintable(path));
        ++g_failures;
        return;
    }
    std::printf("%s\n", qPrintable(path));
}

QImage Grab(QWidget* widget) {
    widget->show();
    QApplication::processEvents();
    return widget->grab().toImage();
}

// The pages as the main window holds them, each photographed while it is the current tab.
void RenderPages(WmStatusSourceClient* source, const std::vector<std::string>& events) {
    // The sheet inside a window margin, as the main window frames it.
    QWidget window;
    auto* frame = new QVBoxLayout(&window);
    frame->setContentsMargins(10, 10, 10, 10);
    auto* tabs = new QTabWidget(&window);
    frame->addWidget(tabs);
    QTabWidget& sheet = *tabs;
    auto* status = new WmLinkStatusPage(source);
    auto* configuration = new WmConfigurationPage;
    auto* statistics = new WmStatisticsPage;
    auto* history = new WmHistoryPage;
    const std::vector<std::pair<WmAppPropPage*, QString>> pages = {
        {status, "WmLinkStatusPage"}, {configuration, "WmConfigurationPage"},
        {statistics, "WmStatisticsPage"}, {history, "WmHistoryPage"}};
    for (const auto& [page, name] : pages) {
        page->EnsureInitialized();
        sheet.addTab(page, page->Caption());
    }
    for (const std::string& line : events) history->AddEvent(QString::fromStdString(line));
    window.resize(580, 460);
    for (const auto& [page, name] : pages) {
        sheet.setCurrentWidget(page);
        page->RefreshPage();
        Save(Grab(&window), name);
    }
}

// Every tray picture at the sizes panels use, with its number and tooltip.
void RenderTrayPictures() {
    const unsigned ids[] = {8052, 8053, 8054, 8055, 8056, 8057, 8058, 8060, 8061, 8062, 8063,
                            8064, 8065, 8066, 8067, 8068, 8069, 8070, 8071, 8072, 8073};
    const int sizes[] = {16, 22, 32};
    const int rowHeight = 40, left = 12, textLeft = 12 + 3 * 44;
    const QPalette palette = QApplication::palette();
    QImage sheet(560, 24 + rowHeight * static_cast<int>(std::size(ids)) + 12, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(palette.color(QPalette::Window));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    QFont bold = QApplication::font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(palette.color(QPalette::WindowText));
    for (size_t i = 0; i < std::size(sizes); ++i)
        p.drawText(QRect(left + static_cast<int>(i) * 44, 4, 40, 18), Qt::AlignCenter, QString::number(sizes[i]));
    p.drawText(QRect(textLeft, 4, 400, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Picture"));
    p.setFont(QApplication::font());
    int y = 24;
    for (unsigned id : ids) {
        if ((y / rowHeight) % 2 == 0) p.fillRect(QRect(0, y, sheet.width(), rowHeight), palette.color(QPalette::AlternateBase));
        // Dark tiles show the pictures as most panels do.
        for (size_t i = 0; i < std::size(sizes); ++i) {
            const int s = sizes[i];
            const QRect tile(left + static_cast<int>(i) * 44, y + 2, 40, 36);
            p.fillRect(tile, QColor(0x30, 0x30, 0x34));
            const QImage icon = ResourceChain::Instance().LoadIconImage(id, s);
            if (!icon.isNull())
                p.drawImage(QPoint(tile.center().x() - s / 2 + 1, tile.center().y() - s / 2 + 1), icon);
        }
        p.setPen(palette.color(QPalette::WindowText));
        p.drawText(QRect(textLeft, y, 400, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("%1   %2").arg(id).arg(ResourceChain::Instance().LoadString(id)));
        y += rowHeight;
    }
    p.end();
    Save(sheet, QStringLiteral("WmTrayIcon"));
}

void RenderTrayMenu(WmStatusSourceClient* source, WmTrayPreferences& preferences) {
    QMenu menu;
    std::vector<std::string> names;
    if (!WmTrayMenu::BuildMenu(&menu, *source, preferences, true, false, &names)) {
        ++g_failures;
        return;
    }
    menu.popup(QPoint(0, 0));
    QApplication::processEvents();
    Save(menu.grab().toImage(), QStringLiteral("WmTrayMenu"));
    // The profile choice as it opens beside the menu.
    for (QAction* action : menu.actions()) {
        if (action->menu() && action->text() == ResourceChain::Instance().LoadString(2203)) {
            action->menu()->popup(QPoint(0, 0));
            QApplication::processEvents();
            Save(action->menu()->grab().toImage(), QStringLiteral("WmTrayMenu-SelectProfile"));
            action->menu()->hide();
        }
    }
    menu.hide();
}

void RenderPreferences(WmTrayPreferences& preferences) {
    WmTrayPreferencesDlg dlg(&preferences);
    dlg.OnInitDialog();
    Save(Grab(&dlg), QStringLiteral("WmTrayPreferencesDlg"));
    dlg.hide();
}

// The real main window, with its menu bar, photographed once per page. The Events History page
// is switched on for the picture; the tray icon is a recording one (no panel offscreen).
void RenderMainWindow(WmStatusSourceClient* source, const std::vector<std::string>& events) {
    WgSettings::SetMachineDword(WgSettings::Machine::DisplayHistory.name, 1, true);
    WmAppPropSheet::Parts parts;
    parts.sharedSource = source;
    parts.trayIcon = std::make_unique<FakeTrayIcon>();
    WmAppPropSheet sheet(ResourceChain::Instance().LoadString(8102), std::move(parts));
    sheet.OnInitDialog();
    for (const std::string& line : events) sheet.OnAdapterStatusEvent(line.c_str());
    sheet.OnTimer(WmAppPropSheet::TIMER_ID);
    QTabWidget* tabs = sheet.Sheet();
    for (int i = 0; i < tabs->count(); ++i) {
        auto* page = qobject_cast<WmAppPropPage*>(tabs->widget(i));
        if (!page) continue;
        tabs->setCurrentIndex(i);
        page->RefreshPage();
        QApplication::processEvents();
        Save(sheet.grab().toImage(), QStringLiteral("WmAppPropSheet-") + page->metaObject()->className());
    }
    sheet.reject();
}

void UseNativeLook(QApplication& app) {
    QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!style) return;
    app.setStyle(style);
    QPalette palette = style->standardPalette();
    palette.setColor(QPalette::Window, QColor(0xF6, 0xF5, 0xF4));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xEE, 0xED, 0xEC));
    palette.setColor(QPalette::Button, QColor(0xF1, 0xF0, 0xEE));
    palette.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xE4));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    app.setPalette(palette);
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(10);
    app.setFont(font);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelvo-shots OUTDIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseNativeLook(app);
    g_outDir = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    if (!QDir().mkpath(g_outDir)) {
        std::fprintf(stderr, "zelvo-shots: cannot make %s\n", qPrintable(g_outDir));
        return 1;
    }

    ShotWorld world;
    std::string error;
    if (!world.Open(QCoreApplication::applicationDirPath().toStdString(), &error) || !world.Connect(&error)) {
        std::fprintf(stderr, "zelvo-shots: %s\n", error.c_str());
        return 1;
    }
    WmTrayPreferences preferences(world.Source());
    RenderPages(world.Source(), world.EventLines());
    RenderTrayPictures();
    RenderTrayMenu(world.Source(), preferences);
    RenderPreferences(preferences);
    RenderMainWindow(world.Source(), world.EventLines());
    return g_failures == 0 ? 0 : 1;
}
