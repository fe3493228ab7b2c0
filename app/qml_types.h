#pragma once
// The one place where native types are made known to QML.
void registerQmlTypes();
