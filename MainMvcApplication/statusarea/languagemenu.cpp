#include "languagemenu.h"

#include "languagelist.h"

#include <appconfigmanager.h>
#include <resourcemanager.h>

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>

namespace {

const char* const KeyLang = "lang";
const int ToolTipText = 5108;
const int TitleText = 5109;
const int NextStartText = 5110;
const int NoteText = 5111;

} // namespace

LanguageMenu::LanguageMenu(AppConfigManager* config, QComboBox* languageBox, QWidget* parent)
    : QToolButton(parent)
    , m_config(config)
    , m_box(languageBox)
    , m_resources(ResourceManager::instance(QString()))
    , m_menu(new QMenu(this))
{
    setObjectName(QStringLiteral("btnLanguageMenu"));
    setPopupMode(QToolButton::InstantPopup);
    setMenu(m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &LanguageMenu::refill);

    const QString stored = m_config ? m_config->get(QLatin1String(KeyLang)) : QString();
    m_running = LanguageList::runningLanguage(stored);
    if (m_box) {
        for (const LanguageList::Language& language : LanguageList::all()) {
            if (m_box->findData(language.code) < 0)
                m_box->addItem(language.name, language.code);
        }
        const int index = m_box->findData(m_running);
        if (index >= 0)
            m_box->setCurrentIndex(index);
    }
    updateToolTip();
}

QString LanguageMenu::text(int id) const
{
    return m_resources ? m_resources->getValue(id) : QString();
}

QString LanguageMenu::choice() const
{
    return m_box ? m_box->currentData().toString() : m_running;
}

void LanguageMenu::refill()
{
    m_menu->clear();
    auto* group = new QActionGroup(m_menu);
    group->setExclusive(true);
    const QString current = choice();
    for (const LanguageList::Language& language : LanguageList::all()) {
        const QString code = language.code;
        QAction* action = m_menu->addAction(language.name);
        action->setCheckable(true);
        action->setChecked(code == current);
        action->setData(code);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code] { choose(code); });
    }
    m_menu->addSeparator();
    m_menu->addAction(text(NoteText))->setEnabled(false);
}

void LanguageMenu::choose(const QString& code)
{
    const QString before = choice();
    if (m_box) {
        const int index = m_box->findData(code);
        if (index >= 0)
            m_box->setCurrentIndex(index);
    }
    if (m_config)
        m_config->put(QLatin1String(KeyLang), code);
    updateToolTip();
    if (code != before && code != m_running)
        QMessageBox::information(window(), text(TitleText),
                                 text(NextStartText).arg(LanguageList::nameOf(code)),
                                 QMessageBox::Ok);
}

void LanguageMenu::updateToolTip()
{
    setToolTip(text(ToolTipText).arg(LanguageList::nameOf(choice())));
}
