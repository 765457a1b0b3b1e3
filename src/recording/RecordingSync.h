#pragma once
// Brings a recording's seconds to the disk in an order that keeps the files whole after a
// power cut, on a thread of its own so that a slow medium never holds up the window.
//
// The recording writes each second's EDF record and CSV rows itself and then asks for them
// here. This thread writes both files' data out (and the folder's entries the first time),
// syncs the CSV rows and the EDF records, and only then writes the EDF header that counts
// them and syncs it too: the header on the disk never counts a second that is not there. Requests that pile up
// while a sync is slow are served by one round, which covers everything written before it.

#include "recording/EdfFile.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class CRecordingSync {
public:
    CRecordingSync();
    ~CRecordingSync();
    CRecordingSync(const CRecordingSync&) = delete;
    CRecordingSync& operator=(const CRecordingSync&) = delete;

    // The files that the rounds sync (descriptors, -1 for none) and the folder they are in.
    // Only between rounds: call Wait first. The descriptors must stay open until the next
    // Wait returns.
    void SetFiles(int edf, int csv, std::string folder);
    // Forgets the failures so far, for a new recording.
    void ClearFailure();
    // Asks for a round: both files synced, then the header (for the EDF file, when it is
    // open) written at its start and synced.
    void Request(const std::array<char, kEdfHeaderBytes>& edfHeader);
    // Waits until every round asked for is done. False when a round failed since the last
    // ClearFailure.
    bool Wait();
    // The errno of the first failure since the last ClearFailure, 0 when none.
    int Failure() const;

private:
    void Run();
    // One round on the descriptors as they were when it was asked for; the errno of a
    // failure, 0 when all went well.
    int Round(int edf, int csv, const std::array<char, kEdfHeaderBytes>& header, const std::string& folder);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_edf = -1;
    int m_csv = -1;
    std::string m_folder;
    bool m_folderSynced = false;
    std::array<char, kEdfHeaderBytes> m_header{};
    unsigned long m_asked = 0;
    unsigned long m_done = 0;
    int m_failure = 0;
    bool m_stopping = false;
    std::thread m_thread;
};
