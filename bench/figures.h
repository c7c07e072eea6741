#pragma once

// Each figure's measuring run, done in a process of its own; each reports
// its samples with reportSample() and returns the exit status.
int measureStartup(); // "start-up": the clock at the title's first paint
int measurePressToPicture(); // "press to picture"
int measurePressToMixer(); // "press to mixer"
int measurePromptTiming(); // "prompt timing" and "flash"
int measureMusicRestart(); // "music restart"
int measureMemory(); // "memory"
int measureIdleCpu(); // "idle CPU"
