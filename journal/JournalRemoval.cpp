#include "journal/JournalRemoval.h"

#include "journal/SqliteCompanions.h"

std::error_code RemoveJournal(const std::filesystem::path& journal) {
    std::error_code error;
    for (const std::filesystem::path& file :
         {WriteAheadLogOf(journal), SharedIndexOf(journal), journal}) {
        std::filesystem::remove(file, error);
        if (error) {
            return error;
        }
    }
    return error;
}
