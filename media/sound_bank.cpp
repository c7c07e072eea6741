#include "media/sound_bank.h"

SoundBank::SoundBank(std::span<const char* const> fileNames)
    : m_fileNames(fileNames)
    , m_device(static_cast<int>(fileNames.size()))
{
    for (std::size_t i = 0; i < fileNames.size(); ++i)
        m_channels.push_back(std::make_unique<SoundChannel>(static_cast<int>(i)));
}

void SoundBank::open(const QString& assetDir)
{
    for (std::size_t i = 0; i < m_channels.size(); ++i)
        m_channels[i]->open(assetDir + QString::fromUtf8(m_fileNames[i]));
}

void SoundBank::close()
{
    for (const auto& channel : m_channels)
        channel->close();
}
