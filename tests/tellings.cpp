#include "tests/tellings.h"

#include <QFile>

#include <map>

namespace {

std::map<std::optional<Ending>, Telling> readTellings()
{
    const std::map<QString, std::optional<Ending>> stories{{"intro", std::nullopt},
                                                           {"FullRescue", Ending::FullRescue},
                                                           {"RescueWithAfterEffect", Ending::RescueWithAfterEffect},
                                                           {"Rescue", Ending::Rescue},
                                                           {"DeathAfterCloseCall", Ending::DeathAfterCloseCall},
                                                           {"Death", Ending::Death}};
    QFile file(":/tellings.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("no tellings");
    std::map<std::optional<Ending>, Telling> tellings;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
        if (fields.isEmpty() || fields.first().startsWith('#'))
            continue;
        tellings[stories.at(fields.first())]
            = {fields.mid(1, fields.size() - 2), fields.last() == "-" ? QString() : fields.last()};
    }
    return tellings;
}

} // namespace

const Telling& tellingOf(std::optional<Ending> story)
{
    static const std::map<std::optional<Ending>, Telling> tellings = readTellings();
    return tellings.at(story);
}
