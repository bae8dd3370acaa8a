// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_runtime.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <functional>

#include "drawing_area.h"
#include "drawing_area_accessible.h"
#include "layout.h"
#include "menus.h"

namespace {

int pixels(int twips)
{
    return twips / layout::kTwipsPerPixel;
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

DrawingArea* buildPicture(QMainWindow& window)
{
    auto* client = new QWidget(&window);
    client->setFixedSize(pixels(layout::kClientWidth), pixels(layout::kClientHeight));
    window.setCentralWidget(client);

    // Before the area exists, so that assistive technology never sees it as
    // a plain widget.
    DrawingAreaAccessible::install();
    auto* picture = new DrawingArea(QSize(pixels(layout::kPictureWidth), pixels(layout::kPictureHeight)),
                                    layout::kPictureBackColor, client);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->move(pixels(layout::kPictureLeft), pixels(layout::kPictureTop));
    picture->setAccessibleName(QString::fromUtf8(layout::kPictureAccessibleName));
    picture->setAccessibleDescription(QString::fromUtf8(layout::kPictureAccessibleDescription));
    return picture;
}

// Calls back when the watched window is about to close.
class CloseWatcher : public QObject {
public:
    explicit CloseWatcher(std::function<void()> onClose) : onClose_(std::move(onClose)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            onClose_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onClose_;
};

}  // namespace

FormRuntime::FormRuntime()
    : window_(std::make_unique<QMainWindow>()), picture_(buildPicture(*window_)),
      wakeup_([this] { events_.frame(); },
              [this] {
                  const QScreen* screen = picture_->screen();
                  return screen != nullptr ? screen->refreshRate() : 0.0;
              }),
      timer_(wakeup_, [this] { events_.tick(); }), form_(*picture_, timer_, random_, *this),
      events_(form_, timer_, [this] { picture_->showFrame(); }),
      closeWatcher_(std::make_unique<CloseWatcher>([this] { events_.closing(); }))
{
    window_->setObjectName(QStringLiteral("Form1"));
    window_->setWindowTitle(QString::fromUtf8(layout::kCaption));
    buildMenus();
    // The layout is fixed: the window can be neither resized nor maximised.
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QObject::connect(picture_, &DrawingArea::clicked, [this] { events_.deliver(&Form1::Picture1_Click); });
    window_->installEventFilter(closeWatcher_.get());
    events_.deliver(&Form1::Form_Load);
}

FormRuntime::~FormRuntime() = default;

void FormRuntime::buildMenus()
{
    QMenuBar* bar = window_->menuBar();
    for (const Menu& menu : menuBar()) {
        QMenu* qmenu = bar->addMenu(qs(menu.caption));
        qmenu->menuAction()->setObjectName(qs(menu.control));
        for (const MenuItem& item : menu.items) {
            QAction* action = qmenu->addAction(qs(item.caption));
            action->setObjectName(qs(item.control));
            const auto handler = item.handler;
            QObject::connect(action, &QAction::triggered, [this, handler] { events_.deliver(handler); });
        }
    }

    // F10 opens the first menu on its first item, as on most desktops.
    auto* openMenuBar = new QAction(window_.get());
    openMenuBar->setShortcut(Qt::Key_F10);
    openMenuBar->setShortcutContext(Qt::WindowShortcut);
    window_->addAction(openMenuBar);
    QObject::connect(openMenuBar, &QAction::triggered, [bar] {
        QAction* first = bar->actions().value(0);
        if (first == nullptr || first->menu() == nullptr) {
            return;
        }
        bar->setActiveAction(first);
        first->menu()->setActiveAction(first->menu()->actions().value(0));
    });
}

QAction* FormRuntime::action(const QString& control) const
{
    for (QAction* menu : window_->menuBar()->actions()) {
        if (menu->objectName() == control) {
            return menu;
        }
        for (QAction* item : menu->menu()->actions()) {
            if (item->objectName() == control) {
                return item;
            }
        }
    }
    return nullptr;
}

void FormRuntime::show()
{
    window_->show();
}

void FormRuntime::End()
{
    events_.end();
    timer_.SetEnabled(false);
    window_->hide();
    QCoreApplication::exit(0);
}
