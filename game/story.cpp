#include "game/story.h"

#include <array>

namespace {

constexpr StoryStep show(const char* file)
{
    return {.kind = StoryStep::Kind::Show, .file = file};
}
constexpr StoryStep message(const char* text)
{
    return {.kind = StoryStep::Kind::Message, .message = text};
}
constexpr StoryStep sound(Sound sound)
{
    return {.kind = StoryStep::Kind::Sound, .sound = sound};
}

// Lines of one message box are joined by "\r\n", with none after the last.
constexpr std::array kIntro{
    show("0.bmp"),    message("おや、誰か倒れているよ、"),
    show("img1.bmp"), message("大変だ！心臓が止まってる！！"),
    show("img2.bmp"), message("ポコリー！助けてあげてー！！"),
};

constexpr std::array kFullRescue{
    show("end2.bmp"),
    message("ありがとう、ありがとう！！\r\n君のおかげで助かったよ、\r\nああああありがとうー！"),
    message("でも、\r\nナンだってあんなところで\r\n心臓を止めていたんですか？"),
    show("end2b.bmp"),
    message("うん、\r\n犬に吠えられて、\r\nびっくりして止まっちゃったんだ"),
    message("そりゃまたびっくり"),
    show("end2c.bmp"),
    message("人助けは気持ちがいいね､ポコリー"), // halfwidth comma U+FF64 on purpose
    sound(Sound::FullRescueEnding),
    show("end.bmp"),
};

constexpr std::array kRescueWithAfterEffect{
    show("end1.bmp"),
    message("ふー助かった、ありがとう、"),
    message("いえいえ、どういたしまして。"),
    show("end1b.bmp"),
    message("ぱらりレポれぱれ"),
    message("は？"),
    message("ちょっと脳に障害が残ったようだ…"),
    sound(Sound::AfterEffectEnding),
    show("end.bmp"),
};

constexpr std::array kRescue{
    show("end1.bmp"),
    message("ふー助かった、ありがとう、"),
    message("いえいえ、どういたしまして。"),
    sound(Sound::RescueEnding),
    show("end.bmp"),
};

constexpr std::array kDeathAfterCloseCall{
    show("end0.bmp"), message("死んでしまった…"), message("あと、少しだったのに…"), sound(Sound::CloseCallEnding),
    show("end.bmp"),
};

constexpr std::array kDeath{
    show("end0.bmp"),
    message("死んでしまった…"),
    sound(Sound::DeathEnding),
    show("end.bmp"),
};

} // namespace

std::span<const StoryStep> introStory()
{
    return kIntro;
}

std::span<const StoryStep> endingStory(Ending ending)
{
    switch (ending) {
    case Ending::FullRescue:
        return kFullRescue;
    case Ending::RescueWithAfterEffect:
        return kRescueWithAfterEffect;
    case Ending::Rescue:
        return kRescue;
    case Ending::DeathAfterCloseCall:
        return kDeathAfterCloseCall;
    case Ending::Death:
        return kDeath;
    }
    return kDeath;
}
