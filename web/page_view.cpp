#include "web/page_view.h"

using emscripten::val;

PageView::PageView(val page)
    : m_page(std::move(page))
{
}

void PageView::showControl(Control control, bool shown)
{
    tell("showControl", static_cast<int>(control), shown);
}

void PageView::setCaption(Control control, const std::string& caption, const std::string& spokenName)
{
    tell("setCaption", static_cast<int>(control), caption, spokenName);
}

void PageView::showPicture(Control picture, const std::string& fileName)
{
    tell("showPicture", static_cast<int>(picture), pageFileName(fileName));
}

void PageView::keepPicture(int slot, const std::string& fileName)
{
    // The page holds every picture from the start; this only checks it is
    // there, as reading it would.
    m_keptPictures.at(static_cast<std::size_t>(slot)) = pageFileName(fileName);
    tell("readPicture", m_keptPictures.at(static_cast<std::size_t>(slot)));
}

void PageView::showKeptPicture(int slot)
{
    tell("showPicture", static_cast<int>(Control::ScenePicture), m_keptPictures.at(static_cast<std::size_t>(slot)));
}

void PageView::openSounds()
{
    tell("openSounds");
}

void PageView::playSound(Sound sound)
{
    tell("playSound", static_cast<int>(sound));
}

int PageView::soundLengthMs(Sound sound)
{
    return tell<int>("soundLengthMs", static_cast<int>(sound));
}

void PageView::closeSounds()
{
    tell("closeSounds");
}

void PageView::setTimerInterval(Timer timer, int ms)
{
    tell("setTimerInterval", static_cast<int>(timer), ms);
}

void PageView::setTimerEnabled(Timer timer, bool enabled)
{
    tell("setTimerEnabled", static_cast<int>(timer), enabled);
}

bool PageView::showMessage(const std::string& text)
{
    tell("showMessage", text);
    return false;
}

std::string pageFileName(std::string_view gameName)
{
    const std::string_view stem = gameName.substr(0, gameName.rfind('.'));
    return std::string(stem) + (gameName.ends_with(".bmp") ? POKORI_PICTURE_SUFFIX : POKORI_SOUND_SUFFIX);
}
