#include "media/sound_bank.h"

SoundBank::SoundBank()
{
    for (int i = 0; i < kSize; ++i)
        m_channels[i] = std::make_unique<SoundChannel>(i);
}

void SoundBank::open(const QString& assetDir)
{
    for (int i = 0; i < kSize; ++i)
        m_channels[i]->open(assetDir + QString::number(i) + QStringLiteral(".wav"));
}

void SoundBank::close()
{
    for (const auto& channel : m_channels) {
        channel->pause();
        channel->close();
    }
}
