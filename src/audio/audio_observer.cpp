#include "audio/audio_observer.h"

AudioObserver* AudioTrace = nullptr;
