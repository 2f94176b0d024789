#pragma once

#include "sim/CSim_Phone.h"
#include "transfer/CLayerPP.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

// A lower layer with the emulator's telephone behind it: every frame written is recorded and
// answered by the telephone (or by a test's script), and the answers wait until the test pumps
// them up one by one, as the link's notifications would arrive.
class CTest_PhoneLayer : public CLayerPP
{
public:
    using Frame = CSim_Phone::Frame;

    explicit CTest_PhoneLayer(CSim_Phone& phone) : CLayerPP(0, LAYER_BUFFER_SIZE), m_phone(phone) {}
    ~CTest_PhoneLayer() override { CLayerPP_PhoneClose(); }

    const char* GetClassName() const override { return "CTest_PhoneLayer"; }
    int Open() override
    {
        m_bOpen = 1;
        return 1;
    }
    int Close() override
    {
        CLayerPP_PhoneClose();
        return 1;
    }
    int Write(const unsigned char* pFrame, int nLength) override
    {
        if (!m_bConnected || nLength <= 0)
            return 0;
        const Frame frame(pFrame, pFrame + nLength);
        m_written.push_back(frame);
        const Frame answer = m_script ? m_script(frame) : Answer(frame);
        if (!answer.empty())
            m_queue.push_back(answer);
        return nLength;
    }
    int Read(unsigned char* pBuffer, int nSize) override
    {
        ++m_nReads;
        if (m_queue.empty() || nSize <= 0)
            return 0;
        const Frame frame = m_queue.front();
        m_queue.pop_front();
        const size_t n = std::min(frame.size(), static_cast<size_t>(nSize));
        std::copy(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(n), pBuffer);
        return static_cast<int>(n);
    }

    // The link connects: the telephone starts a session.
    void Connect()
    {
        m_phone.StartSession();
        OnRx(IND_CONNECT, -1);
    }
    // Hands the waiting answers up until none is left (or the upper layer takes no more).
    void Pump()
    {
        for (size_t nGuard = 0; !m_queue.empty() && nGuard < 100000; ++nGuard)
        {
            const size_t nReads = m_nReads;
            OnRx(IND_DATA, -1);
            if (m_nReads == nReads)
                m_queue.pop_front(); // not read: the upper layer is not listening
        }
    }
    // The telephone's own answer to a frame.
    Frame Answer(const Frame& frame) { return m_phone.OnFrame(frame.data(), frame.size()); }

    // Frames written whose first byte is nId.
    size_t Written(int nId) const
    {
        return static_cast<size_t>(std::count_if(
            m_written.begin(), m_written.end(), [nId](const Frame& f) { return !f.empty() && f[0] == nId; }));
    }

    std::vector<Frame> m_written;
    std::deque<Frame> m_queue;
    // Replaces the telephone: the answer to a frame (empty: none).
    std::function<Frame(const Frame&)> m_script;

private:
    void CLayerPP_PhoneClose()
    {
        m_bOpen = 0;
        m_bConnected = 0;
    }

    CSim_Phone& m_phone;
    size_t m_nReads = 0;
};
