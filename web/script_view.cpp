#include "web/script_view.h"

using emscripten::val;

ScriptView::ScriptView(val page)
    : m_page(std::move(page))
{
}

void ScriptView::showControl(Control control, bool shown)
{
    m_page.call<void>("showControl", static_cast<int>(control), shown);
}

void ScriptView::setCaption(Control control, const std::string& caption, const std::string& spokenName)
{
    m_page.call<void>("setCaption", static_cast<int>(control), caption, spokenName);
}

void ScriptView::showChosen(Control paceButton)
{
    m_page.call<void>("showChosen", static_cast<int>(paceButton));
}

bool ScriptView::showPicture(Control picture, const std::string& fileName)
{
    return m_page.call<bool>("showPicture", static_cast<int>(picture), pageFileName(fileName));
}

void ScriptView::keepPicture(int slot, const std::string& fileName)
{
    // The page reads it before the game starts; this only checks it could.
    m_keptPictures.at(static_cast<std::size_t>(slot)) = pageFileName(fileName);
    m_page.call<void>("keepPicture", m_keptPictures.at(static_cast<std::size_t>(slot)));
}

void ScriptView::showKeptPicture(int slot)
{
    static_cast<void>(m_page.call<bool>("showPicture", static_cast<int>(Control::ScenePicture),
                                        m_keptPictures.at(static_cast<std::size_t>(slot))));
}

void ScriptView::openSounds()
{
    m_page.call<void>("openSounds");
}

void ScriptView::playSound(Sound sound)
{
    m_page.call<void>("playSound", static_cast<int>(sound));
}

int ScriptView::soundLengthMs(Sound sound)
{
    return m_page.call<int>("soundLengthMs", static_cast<int>(sound));
}

void ScriptView::closeSounds()
{
    m_page.call<void>("closeSounds");
}

void ScriptView::setTimerInterval(Timer timer, int ms)
{
    m_page.call<void>("setTimerInterval", static_cast<int>(timer), ms);
}

void ScriptView::setTimerEnabled(Timer timer, bool enabled)
{
    m_page.call<void>("setTimerEnabled", static_cast<int>(timer), enabled);
}

bool ScriptView::showMessage(const std::string& text)
{
    m_page.call<void>("showMessage", text);
    return false;
}

void ScriptView::stop(const std::string& errorText)
{
    m_page.call<void>("stop", errorText);
}

std::string pageFileName(std::string_view gameName)
{
    const std::string_view stem = gameName.substr(0, gameName.rfind('.'));
    return std::string(stem) + (gameName.ends_with(".bmp") ? POKORI_PICTURE_SUFFIX : POKORI_SOUND_SUFFIX);
}
