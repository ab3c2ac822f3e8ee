#include "platform/ResourceMenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

void ResourceMenuBuilder::Fill(QMenu* menu, const std::vector<ResourceMenuItem>& items) {
    for (const ResourceMenuItem& item : items) {
        switch (item.kind) {
            case ResourceMenuItem::Kind::Separator:
                menu->addSeparator();
                break;
            case ResourceMenuItem::Kind::Popup:
                Fill(menu->addMenu(item.text), item.items);
                break;
            case ResourceMenuItem::Kind::Command: {
                QAction* action = menu->addAction(item.text);
                action->setData(item.id);
                action->setProperty(COMMAND_PROPERTY, item.id);
                break;
            }
        }
    }
}

void ResourceMenuBuilder::FillBar(QMenuBar* bar, const ResourceMenu& menu) {
    for (const ResourceMenuItem& item : menu.items) {
        if (item.kind == ResourceMenuItem::Kind::Popup) {
            Fill(bar->addMenu(item.text), item.items);
        } else if (item.kind == ResourceMenuItem::Kind::Command) {
            QAction* action = bar->addAction(item.text);
            action->setData(item.id);
            action->setProperty(COMMAND_PROPERTY, item.id);
        }
    }
}

QMenu* ResourceMenuBuilder::BuildPopup(const ResourceMenu& menu, size_t index, QWidget* parent) {
    const ResourceMenuItem* popup = menu.Popup(index);
    if (!popup) return nullptr;
    QMenu* result = new QMenu(popup->text, parent);
    Fill(result, popup->items);
    return result;
}

unsigned ResourceMenuBuilder::CommandId(const QAction* action) {
    if (!action || action->isSeparator() || action->menu()) return 0;
    bool ok = false;
    unsigned id = action->property(COMMAND_PROPERTY).toUInt(&ok);
    return ok ? id : 0;
}

QAction* ResourceMenuBuilder::FindCommand(const QMenu* menu, unsigned commandId) {
    if (!menu || commandId == 0) return nullptr;
    for (QAction* action : menu->actions()) {
        if (CommandId(action) == commandId) return action;
        if (QAction* inner = FindCommand(action->menu(), commandId)) return inner;
    }
    return nullptr;
}
