// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_runtime.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include "drawing_area.h"
#include "drawing_area_accessible.h"
#include "layout.h"
#include "menus.h"
#include "twips.h"

namespace {

QSize pixels(int widthTwips, int heightTwips)
{
    return {twips::toWholePixels(widthTwips), twips::toWholePixels(heightTwips)};
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class WindowWatcher : public QObject {
public:
    explicit WindowWatcher(FormHost& host) : host_(host) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            host_.closing();
        } else if (const auto* window = qobject_cast<QWindow*>(watched);
                   window != nullptr && event->type() == QEvent::Expose) {
            // Not exposed: minimised, hidden, or otherwise out of sight.
            host_.setSeen(window->isExposed());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    FormHost& host_;
};

}  // namespace

FormRuntime::FormRuntime()
    : window_(std::make_unique<QMainWindow>()), host_(*this, window_->devicePixelRatioF()),
      watcher_(std::make_unique<WindowWatcher>(host_))
{
    window_->setObjectName(QStringLiteral("Form1"));
    window_->setWindowTitle(QString::fromUtf8(layout::kCaption));
    auto* client = new QWidget(window_.get());
    client->setFixedSize(pixels(layout::kClientWidth, layout::kClientHeight));
    window_->setCentralWidget(client);

    // Before the area exists, so that assistive technology never sees it as
    // a plain widget.
    DrawingAreaAccessible::install();
    picture_ = new DrawingArea(host_, pixels(layout::kPictureWidth, layout::kPictureHeight), client);
    picture_->setObjectName(QStringLiteral("Picture1"));
    picture_->move(twips::toWholePixels(layout::kPictureLeft), twips::toWholePixels(layout::kPictureTop));
    picture_->setAccessibleName(QString::fromUtf8(layout::kPictureAccessibleName));
    picture_->setAccessibleDescription(QString::fromUtf8(layout::kPictureAccessibleDescription));

    buildMenus();
    // The layout is fixed: the window can be neither resized nor maximised.
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    window_->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window_->installEventFilter(watcher_.get());
    wakeup_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wakeup_, &QTimer::timeout, [this] { host_.wake(); });
    host_.load();
}

FormRuntime::~FormRuntime()
{
    // The widgets go first: the area reaches the host until it is gone.
    window_.reset();
}

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
            QObject::connect(action, &QAction::triggered, [this, handler] { host_.choose(handler); });
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
    // The native window exists once shown; its exposure says whether it can be seen.
    window_->windowHandle()->installEventFilter(watcher_.get());
}

void FormRuntime::startWakeups(std::chrono::milliseconds every)
{
    wakeup_.start(every);
}

void FormRuntime::stopWakeups()
{
    wakeup_.stop();
}

void FormRuntime::present(std::span<const Box> boxes)
{
    QRegion region;
    for (const Box& box : boxes) {
        region += QRect(box.x, box.y, box.width, box.height);
    }
    picture_->update(region);
}

void FormRuntime::closeWindow()
{
    window_->hide();
    QCoreApplication::exit(0);
}

double FormRuntime::refreshHz()
{
    const QScreen* screen = picture_->screen();
    return screen != nullptr ? screen->refreshRate() : 0.0;
}
