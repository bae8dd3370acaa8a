// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_area_accessible.h"

#include "drawing_area.h"
#include "form_host.h"

namespace {

QAccessibleInterface* drawingAreaFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String(DrawingArea::staticMetaObject.className()) && object->isWidgetType()) {
        return new DrawingAreaAccessible(static_cast<DrawingArea*>(object));
    }
    return nullptr;
}

}  // namespace

DrawingAreaAccessible::DrawingAreaAccessible(DrawingArea* area) : QAccessibleWidget(area, QAccessible::Canvas) {}

QStringList DrawingAreaAccessible::actionNames() const
{
    // Only the click: the area takes no keyboard focus, so it offers no
    // focus action either.
    return {pressAction()};
}

void DrawingAreaAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction()) {
        static_cast<DrawingArea*>(widget())->host().click();
    }
}

QStringList DrawingAreaAccessible::keyBindingsForAction(const QString&) const
{
    return {};
}

void DrawingAreaAccessible::install()
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(&drawingAreaFactory);
        return true;
    }();
}
