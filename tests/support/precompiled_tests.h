// The tests start from the build's precompiled Qt headers and QtTest's.
#include "precompiled.h"

#include <QSignalSpy>
#include <QtTest>
