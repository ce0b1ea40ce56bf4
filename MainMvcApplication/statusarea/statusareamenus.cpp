#include "statusareamenus.h"

#include "languagemenu.h"
#include "mainwidget.h"
#include "portmenu.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QMenu>

namespace {

const char* const ButtonStyle =
        "QToolButton {"
        "  background-color: #2c3642;"
        "  border: 1px solid #3d4c5e;"
        "  border-radius: 4px;"
        "  padding: 0px;"
        "}"
        "QToolButton:hover { background-color: #35414f; border-color: #f0a030; }"
        "QToolButton:pressed, QToolButton:open {"
        "  background-color: #232b35; border-color: #f0a030;"
        "}"
        "QToolButton::menu-indicator { image: none; width: 0px; }"
        "QToolTip {"
        "  color: #e4e8ee; background-color: #232b35;"
        "  border: 1px solid #f0a030; padding: 4px;"
        "}";

const char* const MenuStyle =
        "QMenu {"
        "  color: #e4e8ee; background-color: #151a20;"
        "  border: 1px solid #334050; padding: 4px;"
        "}"
        "QMenu::item { padding: 5px 18px 5px 26px; }"
        "QMenu::item:selected { background-color: #f0a030; color: #151a20; }"
        "QMenu::item:disabled { color: #9aa6b5; }"
        "QMenu::separator { height: 1px; background: #334050; margin: 4px 6px; }";

void styleButton(QToolButton* button, const QString& picture)
{
    button->setFixedSize(32, 32);
    button->setIconSize(QSize(28, 28));
    button->setIcon(QIcon(picture));
    button->setStyleSheet(QLatin1String(ButtonStyle));
    button->menu()->setStyleSheet(QLatin1String(MenuStyle));
}

} // namespace

StatusAreaMenus::StatusAreaMenus(Ui::MainWidget* window, AppConfigManager* config,
                                 SerialManager* link)
    : QWidget(window)
    , m_port(new PortMenu(config, link, this))
    , m_language(new LanguageMenu(config, window->cbLanguage, this))
{
    setObjectName(QStringLiteral("statusAreaMenus"));
    styleButton(m_port, QStringLiteral("images/port.png"));
    styleButton(m_language, QStringLiteral("images/language.png"));

    // Takes the label's place in its layout and holds it, so the buttons sit right of it
    // whatever else shares that layout.
    QLabel* status = window->lbPortStatus;
    QWidget* holder = status->parentWidget();
    if (QLayout* outer = holder ? holder->layout() : nullptr) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(6);
        delete outer->replaceWidget(status, this);
        row->addWidget(status);
        row->addWidget(m_port);
        row->addWidget(m_language);
        row->addStretch(1);
    }
}
