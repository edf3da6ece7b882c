#pragma once

enum class EngineMode { Game = 0, Editor = 1, Startup = 2 };
