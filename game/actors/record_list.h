#pragma once

// A head/tail pair over records that carry their own next and prev links.
// The same discipline serves actors, shots and bullets.
template <class Record>
struct RecordList {
  Record* head = nullptr;
  Record* tail = nullptr;
};

template <class Record>
void Append(RecordList<Record>& list, Record* rec) {
  rec->next = nullptr;
  rec->prev = list.tail;
  list.tail = rec;
  if (rec->prev) rec->prev->next = rec;
  else list.head = rec;
}

template <class Record>
void Prepend(RecordList<Record>& list, Record* rec) {
  rec->prev = nullptr;
  rec->next = list.head;
  list.head = rec;
  if (rec->next) rec->next->prev = rec;
  else list.tail = rec;
}

template <class Record>
void Unlink(RecordList<Record>& list, Record* rec) {
  if (rec->next) rec->next->prev = rec->prev;
  else list.tail = rec->prev;
  if (rec->prev) rec->prev->next = rec->next;
  else list.head = rec->next;
}

template <class Record>
void FreeAll(RecordList<Record>& list) {
  for (Record* rec = list.head; rec;) {
    Record* next = rec->next;
    Unlink(list, rec);
    delete rec;
    rec = next;
  }
}

// A pass: the next link is taken before the record is worked on, so work may
// unlink and delete it. keep(rec) == 0 unlinks and deletes the record.
template <class Record, class Work>
void PassOver(RecordList<Record>& list, Work keep) {
  for (Record* rec = list.head; rec;) {
    Record* next = rec->next;
    if (!keep(rec)) {
      Unlink(list, rec);
      delete rec;
    }
    rec = next;
  }
}

template <class Record>
int CountRecords(const RecordList<Record>& list) {
  int n = 0;
  for (const Record* rec = list.head; rec; rec = rec->next) ++n;
  return n;
}
