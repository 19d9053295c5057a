#pragma once
// The demo form that kvide opens at start: a graph with axes, a line and a point series, a
// legend and value vectors, a pie chart with its legend and fill palette, and a few of the
// library's standard controls. It is an ordinary form file compiled into the IDE.
#include <QString>

// The form file's text (from the IDE's resources).
QString DemoFormText();
