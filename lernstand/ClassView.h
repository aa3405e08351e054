#pragma once

#include "lernstand/ClassOverview.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

// Everything the class window's rules may do to the window. Texts are UTF-8.
class ClassView {
public:
    virtual ~ClassView() = default;

    virtual void ShowTitle(const std::string& title) = 0;
    // The line above the tables: how far the reading is, or what came of it.
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void ShowProgress(std::size_t read, std::size_t files) = 0;
    // The reading is over, done, stopped or failed: the progress and its "Abbrechen" go.
    virtual void EndProgress() = 0;
    // Every pupil and the class's table; the overview stays as it is while shown.
    virtual void ShowOverview(std::shared_ptr<const ClassOverview> overview) = 0;
    // The grown-up chose a pupil: that pupil's own journal is to be shown.
    virtual void ShowPupil(const std::filesystem::path& journal) = 0;
};
