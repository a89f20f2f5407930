#pragma once

class QWidget;

// Gives every control of the window a name and a description for screen
// readers; captions, places, tab order and events stay as they are.
void NameControlsForScreenReaders(QWidget* window);
